# Precompiled headers: the Qt and standard headers nearly every source of a
# layer includes, parsed once per library instead of once per source (about
# half of a debug compile went into them). The tests share one set, made by
# ankerblick_testpch in tests/. ANKERBLICK_PCH=OFF compiles without them, as
# the fuzz targets always do, which shows a source that lacks an include.
option(ANKERBLICK_PCH "Compile with precompiled headers" ON)

set(ANKERBLICK_PCH_CORE
  <algorithm> <functional> <map> <memory> <optional> <vector>
  <QByteArray> <QCoreApplication> <QDateTime> <QHash> <QList> <QLoggingCategory>
  <QObject> <QPointF> <QString> <QStringList> <QVariant>)
set(ANKERBLICK_PCH_WIDGETS ${ANKERBLICK_PCH_CORE}
  <QApplication> <QBoxLayout> <QComboBox> <QDialog> <QEvent> <QLabel> <QLineEdit>
  <QMessageBox> <QPainter> <QPushButton> <QTimer> <QWidget>)

# Gives `target` the headers of a layer: CORE or WIDGETS.
function(ankerblick_pch target kind)
  if(ANKERBLICK_PCH)
    target_precompile_headers(${target} PRIVATE ${ANKERBLICK_PCH_${kind}})
  endif()
endfunction()
