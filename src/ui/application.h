#pragma once

#include <QApplication>

namespace kvx {

class Platform;

// The desktop program's application object. Menu commands have a boundary of their own; this
// is the last one, for the handlers of the windows' controls: an exception that would leave a
// Qt event handler (which ends the program and loses unsaved work) is reported instead, and the
// program goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    // Where the report goes; without one it goes to the standard error stream.
    void setPlatform(Platform* platform) { platform_ = platform; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Platform* platform_ = nullptr;
};

} // namespace kvx
