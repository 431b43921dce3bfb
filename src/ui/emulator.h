#pragma once

#include "ui/filecommands.h"
#include "ui/platform.h"
#include "ui/session.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

class QProcess;
class QTemporaryDir;

namespace kvx {

// File > Play in Emulator...: the league is exported (with the slots the wizard chose last) into
// a temporary copy of the image last exported into, the emulator command from the settings file
// is started on the copy, and the copy is removed when the emulator ends. The image itself is
// only read. The program does not wait for the emulator; an emulator still running when the
// program closes is ended with it, and its copy removed.
class EmulatorCommands : public QObject {
    Q_OBJECT

public:
    EmulatorCommands(Session& session, Platform& platform, QObject* parent = nullptr);
    ~EmulatorCommands() override;

    void setStatusReport(StatusReport report) { status_ = std::move(report); }

    // True when the emulator was started.
    bool play();
    // Emulators started and not ended yet.
    int running() const { return static_cast<int>(runs_.size()); }

signals:
    // An emulator ended and its copy of the image is gone.
    void ended();

private:
    struct Run {
        QProcess* process;
        std::unique_ptr<QTemporaryDir> folder;
    };

    bool emulatorKnown();
    // The league exported into a copy of the last image, saved as `copy`; false, having said
    // why, when it could not be.
    bool exportCopyTo(const std::string& copy);
    // Starts the emulator's command line; the run owns the folder that holds the copy.
    bool start(const std::vector<std::string>& words, std::unique_ptr<QTemporaryDir> folder);
    void tell(const std::string& text);
    void end(QProcess* process);

    Session& session_;
    Platform& platform_;
    std::vector<Run> runs_;
    StatusReport status_;
};

} // namespace kvx
