#pragma once

// The club's server, as the lane sees it: a sync that sends what the local
// diary keeps to the server in the background, never on the thread of the
// windows, and says how it stands. Every shot goes into the local diary
// first; the sync only ever reads it.

#include <QObject>
#include <QString>

namespace ankerblick {

struct ClubState {
    bool configured = false; // a server is set
    bool connected = false;  // the last attempt reached it
    int waiting = 0;         // series changed since they were last sent
    QString problem;         // why it is not connected, in German

    friend bool operator==(const ClubState&, const ClubState&) = default;
};

// What the status bar says: empty without a server; "Verein: verbunden",
// or "Verein: nicht verbunden – 3 Serien warten".
QString clubStatusText(const ClubState& state);

class ClubSync : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Connects to the server of `url` (a libpq connection URI) and sends
    // what waits; an empty URL leaves the server.
    virtual void setServer(const QString& url) = 0;
    virtual QString server() const = 0;
    virtual ClubState state() const = 0;
    // Tries `url` without changing the server; checked() says how it went.
    virtual void check(const QString& url) = 0;

Q_SIGNALS:
    void stateChanged();
    // The answer to check(): empty when the server was reached, otherwise why not.
    void checked(const QString& url, const QString& problem);
};

} // namespace ankerblick
