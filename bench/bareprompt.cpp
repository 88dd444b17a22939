// The bare program the start-up is measured against: a Qt Widgets
// application that asks for a name in an input dialog, and nothing else.

#include <QApplication>
#include <QInputDialog>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bool ok = false;
    QInputDialog::getText(nullptr, QStringLiteral("Ankerblick"),
                          QStringLiteral("Bitte Name eingeben:"), QLineEdit::Normal, QString(),
                          &ok);
    return ok ? 0 : 1;
}
