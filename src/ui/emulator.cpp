#include "ui/emulator.h"

#include "base/error.h"
#include "base/fileio.h"
#include "base/messages.h"
#include "rom/commands.h"
#include "rom/routines.h"
#include "ui/failure.h"
#include "ui/qtext.h"
#include "ui/romcommands.h"
#include "ui/texts.h"

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>

namespace kvx {

EmulatorCommands::EmulatorCommands(Session& session, Platform& platform, QObject* parent)
    : QObject(parent), session_(session), platform_(platform) {}

EmulatorCommands::~EmulatorCommands() {
    for (Run& run : runs_) {
        run.process->disconnect(this);
        // Ends the emulator and waits for it, so that the copy can go.
        delete run.process;
    }
}

void EmulatorCommands::tell(const std::string& text) {
    platform_.messageBox(msg::ReadMeTitle, text, MessageIcon::Information);
}

// Asked once, then kept in the settings file.
bool EmulatorCommands::emulatorKnown() {
    if (!session_.exportSettings.emulatorCommand.empty())
        return true;
    FileDialogRequest request;
    request.title = text::ChooseEmulatorTitle;
    request.filter = text::EmulatorFilter;
    const auto choice = platform_.openFile(request);
    if (!choice)
        return false;
    session_.exportSettings.emulatorCommand = emulatorCommandFor(choice->path);
    return true;
}

bool EmulatorCommands::play() {
    const ExportSettings& settings = session_.exportSettings;
    if (settings.lastImage.empty() || !fileExists(settings.lastImage)) {
        tell(text::PlayNeedsExport);
        return false;
    }
    if (!emulatorKnown())
        return false;

    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid()) {
        tell(text::NoTemporaryCopy + std::string("\r") + fromQPath(folder->errorString()));
        return false;
    }
    // The copy keeps the image's name: emulators tell the system by its extension.
    const std::string copy =
        fromQPath(folder->path()) + "/" + Text_After_Last(settings.lastImage, "/");
    if (!exportCopyTo(copy))
        return false;

    const std::vector<std::string> words = emulatorCommandLine(settings.emulatorCommand, copy);
    if (words.empty()) {
        tell(text::NoEmulatorProgram);
        session_.exportSettings.emulatorCommand.clear();
        return false;
    }
    if (!start(words, std::move(folder)))
        return false;
    if (status_)
        status_("Started the emulator on a copy of " + Text_After_Last(settings.lastImage, "/"));
    return true;
}

bool EmulatorCommands::exportCopyTo(const std::string& copy) {
    const ExportSettings& settings = session_.exportSettings;
    ExportResult result;
    try {
        // The edition remembered with the image, or the one its bytes name.
        const auto remembered = editionFromCode(settings.lastEdition);
        const ExportedCopy exported =
            exportCopy(settings.lastImage,
                       remembered && editionSupported(*remembered) ? *remembered : AutoDetect,
                       session_.document.league(), ExportChoices{settings.fixChecksum});
        exported.exported.save(copy);
        result = exported.result;
    } catch (const std::exception& error) {
        tell(exportFailureText(error, text::EmulatorNotStarted));
        return false;
    }
    showExportOutcome(platform_, result);
    return true;
}

bool EmulatorCommands::start(const std::vector<std::string>& words,
                             std::unique_ptr<QTemporaryDir> folder) {
    auto* process = new QProcess(this);
    process->setProgram(toQPath(words.front()));
    QStringList arguments;
    for (auto word = words.begin() + 1; word != words.end(); ++word)
        arguments << toQPath(*word);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    // Connected before the start, so that an emulator ending at once is seen too.
    connect(process, &QProcess::finished, this, [this, process] { end(process); });
    runs_.push_back(Run{process, std::move(folder)});
    process->start();
    if (process->waitForStarted())
        return true;
    const std::string reason = fromQPath(process->errorString());
    process->disconnect(this);
    runs_.pop_back();
    delete process;
    // Asked again next time, rather than failing the same way for good.
    session_.exportSettings.emulatorCommand.clear();
    tell("The emulator \"" + words.front() + "\" could not be started: " + reason + "\r" +
         text::EmulatorAskedAgain);
    return false;
}

void EmulatorCommands::end(QProcess* process) {
    const auto run = std::find_if(runs_.begin(), runs_.end(),
                                  [process](const Run& r) { return r.process == process; });
    if (run == runs_.end())
        return;
    process->deleteLater();
    runs_.erase(run); // removes the folder with the copy
    emit ended();
}

} // namespace kvx
