#include "ui/frmMain.h"

#include "base/messages.h"
#include "document/datafile.h"
#include "rom/routines.h"
#include "ui/failure.h"
#include "ui/frmDefineTeams.h"
#include "ui/frmExportData.h"
#include "ui/frmGeneralInformation.h"
#include "ui/frmPlayerRatings.h"
#include "ui/frmRosters.h"
#include "ui/frmTeamRatings.h"
#include "ui/htmlcommands.h"
#include "ui/leaguesummary.h"
#include "ui/mainarea.h"
#include "ui/qtplatform.h"
#include "ui/ratingscalenotice.h"
#include "ui/texts.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QUndoStack>

// The icon is compiled into the kvxui static library, whose resources a program linking it would
// drop unless something refers to them. Outside the namespace: the initialiser is global.
static void registerIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace kvx {

namespace {

// The platform's keys for a standard command; some platforms have none for a few of them (Save
// As, Quit), and those get the usual ones.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const char* usual) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty())
        keys << QKeySequence(QString::fromLatin1(usual));
    return keys;
}

} // namespace

frmMain::frmMain(Session& session, Platform& platform, RecentStore& recent, QWidget* parent)
    : QMainWindow(parent), session_(session), platform_(platform), recent_(recent),
      files_(session, platform, recent),
      roms_(session, platform, files_,
            [this](const League& league, const ExportWizardInput& input) {
                return frmExportData::choose(league, input, this);
            }),
      emulator_(session, platform) {
    setObjectName(QStringLiteral("frmMain"));
    registerIcons();
    setWindowIcon(QIcon(QStringLiteral(":/icons/kvxm2000.png")));
    mdiArea_ = new MainArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setAccessibleName(QStringLiteral("Windows"));
    setCentralWidget(mdiArea_);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    setAcceptDrops(true);
    resize(960, 680);
    buildMenus();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        mdiArea_->viewport()->update();
        updateMenuState();
    });
    connect(&session_.document, &Document::changed, this, [this](const DocumentChange& change) {
        if (change.has(DocumentAspect::Whole)) {
            // Where the new league came from is known once its command has reported it.
            replaced_ = true;
            origin_.clear();
        }
        updateCaption();
        updateMenuState();
        updateLeagueSummary();
    });
    connect(&session_.document, &Document::modifiedChanged, this, &QWidget::setWindowModified);
    const StatusReport status = [this](const std::string& text) {
        report_ = toDisplayText(text);
        statusBar()->showMessage(report_);
    };
    files_.setStatusReport(status);
    roms_.setStatusReport(status);
    emulator_.setStatusReport(status);

    files_.startUp();
    if (!session_.windowGeometry.empty())
        restoreGeometry(QByteArray::fromHex(QByteArray::fromStdString(session_.windowGeometry)));
    updateCaption();
    Update_Recent_Menu();
    updateMenuState();
    for (QAction* step : {mnuEditDefinePlayers_, mnuViewTeamRatings_, mnuFileExportData_})
        mdiArea_->summary()->addStep(step);
    updateLeagueSummary();
}

void frmMain::updateLeagueSummary() {
    const std::string& current = session_.document.league().CurrentFile;
    const QString name = current.empty() ? tr("Untitled") : toQPath(Text_After_Last(current, "/"));
    mdiArea_->showLeague(name, origin_, session_.document.teamCount());
}

frmMain::~frmMain() {
    // QWidget's destructor still closes the child windows, after this class has gone: nothing
    // they set off may reach it then.
    mdiArea_->disconnect(this);
    session_.document.disconnect(this);
    session_.document.undoStack().disconnect(this);
    if (frmRosters* editor = childWindow<frmRosters>())
        editor->disconnect(this);
}

void frmMain::updateCaption() {
    const std::string& current = session_.document.league().CurrentFile;
    const QString name = current.empty() ? tr("Untitled") : toQPath(Text_After_Last(current, "/"));
    // Qt shows "[*]" as a mark while the document has unsaved changes.
    setWindowTitle(name + QStringLiteral("[*] - ") + QString::fromLatin1(text::MainCaption));
    setWindowModified(session_.document.isModified());
}

// The caption's mark follows the document alone. Qt's child-window frames set the main
// window's modified state themselves (maximising one mirrors the child's, restoring or deleting
// one clears it); whatever they set is put back at once.
void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ModifiedChange &&
        isWindowModified() != session_.document.isModified())
        setWindowModified(session_.document.isModified());
}

void frmMain::openFile(const std::string& path) {
    runCommand([this, path] {
        if (hasDataFileMagic(path)) {
            files_.openPath(path);
            Update_Recent_Menu();
        } else {
            roms_.importPath(path);
        }
    });
}

namespace {

// The one local file a drag carries, or nothing.
std::optional<std::string> droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls()[0].isLocalFile())
        return std::nullopt;
    return fromQPath(data->urls()[0].toLocalFile());
}

} // namespace

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    const auto path = droppedFile(event->mimeData());
    if (!path)
        return;
    event->acceptProposedAction();
    openFile(*path);
}

void frmMain::addChildWindow(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* frame = mdiArea_->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(window->windowTitle());
    // At the size its content asks for, as far as the main area has room; the area scrolls to
    // what lies beyond it.
    frame->resize(frame->sizeHint().boundedTo(mdiArea_->viewport()->size()));
    frame->show();
    mdiArea_->setActiveSubWindow(frame);
}

void frmMain::bringForward(QWidget* window) {
    for (QMdiSubWindow* frame : mdiArea_->subWindowList())
        if (frame->widget() == window) {
            if (frame->isMinimized())
                frame->showNormal();
            mdiArea_->setActiveSubWindow(frame);
            return;
        }
}

QMenu* frmMain::addMenu(const char* caption, const char* name) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    connect(menu, &QMenu::aboutToShow, this, &frmMain::updateMenuState);
    return menu;
}

QAction* frmMain::addCommand(QMenu* menu, const char* caption, const char* name,
                             void (frmMain::*handler)()) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { runCommand(handler); });
    return action;
}

void frmMain::addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void frmMain::buildMenus() {
    buildFileMenu();
    buildEditMenu();
    buildViewAndHelpMenus();
}

void frmMain::buildFileMenu() {
    QMenu* file = addMenu("&File", "mnuFile");
    // Other running copies share the recent list; show it as it stands now.
    connect(file, &QMenu::aboutToShow, this, &frmMain::Update_Recent_Menu);
    addCommand(file, "&New", "mnuFileNew", &frmMain::mnuFileNew_Click)
        ->setShortcuts(standardKeys(QKeySequence::New, "Ctrl+N"));
    addCommand(file, "&Open...", "mnuFileOpen", &frmMain::mnuFileOpen_Click)
        ->setShortcuts(standardKeys(QKeySequence::Open, "Ctrl+O"));
    mnuFileSave_ = addCommand(file, "&Save", "mnuFileSave", &frmMain::mnuFileSave_Click);
    mnuFileSave_->setShortcuts(standardKeys(QKeySequence::Save, "Ctrl+S"));
    addCommand(file, "Save &As...", "mnuFileSaveAs", &frmMain::mnuFileSaveAs_Click)
        ->setShortcuts(standardKeys(QKeySequence::SaveAs, "Ctrl+Shift+S"));
    addSeparator(file, "mnuFileB3");
    addCommand(file, "&Import Data...", "mnuFileImportData", &frmMain::mnuFileImportData_Click);
    mnuFileExportData_ =
        addCommand(file, "&Export Data...", "mnuFileExportData", &frmMain::mnuFileExportData_Click);
    addCommand(file, "Import a Pa&tched Image...", "mnuFileImportPatched",
               &frmMain::mnuFileImportPatched_Click);
    mnuFilePlayInEmulator_ = addCommand(file, "Play in E&mulator...", "mnuFilePlayInEmulator",
                                        &frmMain::mnuFilePlayInEmulator_Click);
    addCommand(file, "Import from CSV...", "mnuFileImportCSV", &frmMain::mnuFileImportCSV_Click);
    mnuFileExportCSV_ =
        addCommand(file, "Export as CSV...", "mnuFileExportCSV", &frmMain::mnuFileExportCSV_Click);
    addSeparator(file, "mnuFileB4");
    addCommand(file, "Load Rating Scale...", "mnuFileLoadRatingScale",
               &frmMain::mnuFileLoadRatingScale_Click);
    addCommand(file, "Save Rating Scale As...", "mnuSaveRatingScaleAs",
               &frmMain::mnuSaveRatingScaleAs_Click);
    addSeparator(file, "mnuFileB5");
    mnuFileSaveWindowAsHTML_ =
        addCommand(file, "Save Window as &HTML...", "mnuFileSaveWindowAsHTML",
                   &frmMain::mnuFileSaveWindowAsHTML_Click);
    addSeparator(file, "mnuFileB1");
    for (int n = 0; n < RecentFileCount; ++n) {
        QAction* recent = file->addAction(QStringLiteral("Recent File %1").arg(n + 1));
        recent->setObjectName(QStringLiteral("mnuFileRecent_%1").arg(n));
        connect(recent, &QAction::triggered, this, [this, n] {
            recentEntry_ = n;
            runCommand(&frmMain::mnuFileRecent_Click);
        });
        mnuFileRecent_[static_cast<std::size_t>(n)] = recent;
    }
    mnuFileB2_ = file->addSeparator();
    mnuFileB2_->setObjectName(QStringLiteral("mnuFileB2"));
    addCommand(file, "E&xit", "mnuFileExit", &frmMain::mnuFileExit_Click)
        ->setShortcuts(standardKeys(QKeySequence::Quit, "Ctrl+Q"));
}

void frmMain::buildEditMenu() {
    QMenu* edit = addMenu("&Edit", "mnuEdit");
    mnuEditUndo_ = addCommand(edit, "&Undo", "mnuEditUndo", &frmMain::mnuEditUndo_Click);
    mnuEditUndo_->setShortcuts(standardKeys(QKeySequence::Undo, "Ctrl+Z"));
    mnuEditRedo_ = addCommand(edit, "&Redo", "mnuEditRedo", &frmMain::mnuEditRedo_Click);
    mnuEditRedo_->setShortcuts(standardKeys(QKeySequence::Redo, "Ctrl+Shift+Z"));
    addSeparator(edit, "mnuEditB0");
    QUndoStack& history = session_.document.undoStack();
    connect(&history, &QUndoStack::indexChanged, this, &frmMain::updateUndoActions);
    connect(&history, &QUndoStack::cleanChanged, this, &frmMain::updateUndoActions);
    addCommand(edit, "Define &Teams...", "mnuEditDefineTeams", &frmMain::mnuEditDefineTeams_Click);
    mnuEditDefinePlayers_ = addCommand(edit, "Define &Players", "mnuEditDefinePlayers",
                                       &frmMain::mnuEditDefinePlayers_Click);
    addSeparator(edit, "mnuEditB1");
    mnuEditSwapDefensiveBacks_ =
        addCommand(edit, "&Swap Defensive Backs", "mnuEditSwapDefensiveBacks",
                   &frmMain::mnuEditSwapDefensiveBacks_Click);
    addSeparator(edit, "mnuEditB2");
    addCommand(edit, "&General Information...", "mnuEditGeneralInformation",
               &frmMain::mnuEditGeneralInformation_Click);
}

void frmMain::buildViewAndHelpMenus() {
    QMenu* view = addMenu("&View", "mnuView");
    mnuViewTeamRatings_ =
        addCommand(view, "&Team Ratings", "mnuViewTeamRatings", &frmMain::mnuViewTeamRatings_Click);
    mnuViewPlayerRatings_ = addCommand(view, "&Player Ratings", "mnuViewPlayerRatings",
                                       &frmMain::mnuViewPlayerRatings_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addCommand(help, "&About", "mnuHelpAbout", &frmMain::mnuHelpAbout_Click);
}

void frmMain::Update_Recent_Menu() {
    const RecentMenu menu = recentMenu(recent_);
    for (int n = 0; n < RecentFileCount; ++n) {
        const std::string& caption = menu.Captions[static_cast<std::size_t>(n)];
        QAction* action = mnuFileRecent_[static_cast<std::size_t>(n)];
        action->setVisible(!caption.empty());
        if (!caption.empty())
            action->setText(toQPath(caption));
    }
    mnuFileB2_->setVisible(menu.SeparatorVisible);
}

void frmMain::updateMenuState() {
    const bool hasTeams = session_.document.teamCount() > 0;
    mnuFileSave_->setEnabled(!session_.document.league().CurrentFile.empty());
    mnuFileExportData_->setEnabled(hasTeams);
    mnuFilePlayInEmulator_->setEnabled(hasTeams);
    mnuFileExportCSV_->setEnabled(hasTeams);
    mnuFileSaveWindowAsHTML_->setEnabled(mdiArea_->currentSubWindow() != nullptr);
    mnuEditDefinePlayers_->setEnabled(hasTeams);
    mnuEditSwapDefensiveBacks_->setEnabled(hasTeams);
    mnuViewTeamRatings_->setEnabled(hasTeams);
    mnuViewPlayerRatings_->setEnabled(hasTeams);
    updateUndoActions();
}

void frmMain::updateUndoActions() {
    const QUndoStack& history = session_.document.undoStack();
    // "Undo Trade": the entries name the step they take back or do again.
    const auto caption = [](const char* verb, const QString& step) {
        return step.isEmpty() ? QString::fromLatin1(verb)
                              : QString::fromLatin1(verb) + QLatin1Char(' ') + step;
    };
    // Typing on the rosters editor's page not stored yet is the newest edit: Undo takes it back
    // (the page is stored before every command, Undo included), and there is nothing to redo
    // after it.
    const frmRosters* editor = childWindow<frmRosters>();
    const bool typed = editor && editor->hasUnstoredEdits();
    mnuEditUndo_->setText(
        caption("&Undo", typed ? tr(frmRosters::EditPlayersAction) : history.undoText()));
    mnuEditUndo_->setEnabled(typed || history.canUndo());
    mnuEditRedo_->setText(caption("&Redo", typed ? QString() : history.redoText()));
    mnuEditRedo_->setEnabled(!typed && history.canRedo());
}

void frmMain::storeEditedPage() {
    if (frmRosters* editor = childWindow<frmRosters>(); editor && editor->hasUnstoredEdits())
        editor->Save_Information();
}

void frmMain::runCommand(void (frmMain::*handler)()) {
    runCommand([this, handler] { (this->*handler)(); });
}

void frmMain::runCommand(const std::function<void()>& command) {
    // The status bar tells what the last command did, not one before it.
    statusBar()->clearMessage();
    report_.clear();
    replaced_ = false;
    try {
        storeEditedPage();
        command();
    } catch (const std::exception& error) {
        platform_.messageBox(msg::ReadMeTitle, describeFailure(error), MessageIcon::Information);
    }
    // Another league: its summary says where it came from, as the command reported it.
    if (replaced_) {
        origin_ = report_;
        updateLeagueSummary();
    }
    updateMenuState();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!shutDown_) {
        bool discard = false;
        try {
            storeEditedPage();
            discard = files_.confirmDiscard();
        } catch (const std::exception& error) {
            // The program stays open rather than lose the changes it could not save.
            platform_.messageBox(msg::ReadMeTitle, describeFailure(error),
                                 MessageIcon::Information);
        }
        if (!discard) {
            event->ignore();
            updateMenuState();
            return;
        }
        session_.windowGeometry = saveGeometry().toHex().toStdString();
        files_.shutDown();
        shutDown_ = true;
    }
    event->accept();
}

void frmMain::mnuFileNew_Click() {
    files_.newDocument();
}

void frmMain::mnuFileOpen_Click() {
    files_.open();
    Update_Recent_Menu();
}

void frmMain::mnuFileSave_Click() {
    files_.save();
}

void frmMain::mnuFileSaveAs_Click() {
    files_.saveAs();
}

void frmMain::mnuFileRecent_Click() {
    files_.openRecent(recentEntry_);
    Update_Recent_Menu();
}

void frmMain::mnuFileImportData_Click() {
    roms_.importData();
}

void frmMain::mnuFileExportData_Click() {
    roms_.exportData();
}

void frmMain::mnuFileImportPatched_Click() {
    roms_.importPatched();
}

void frmMain::mnuFilePlayInEmulator_Click() {
    emulator_.play();
}

void frmMain::mnuFileImportCSV_Click() {
    files_.importCsv();
}

void frmMain::mnuFileExportCSV_Click() {
    files_.exportCsv();
}

void frmMain::mnuFileLoadRatingScale_Click() {
    files_.loadRatingScale();
    RatingScaleNotice::refreshAll(this);
}

void frmMain::mnuSaveRatingScaleAs_Click() {
    files_.saveRatingScaleAs();
}

void frmMain::mnuFileSaveWindowAsHTML_Click() {
    // The window active when the command starts; the file dialog takes the activation away.
    QMdiSubWindow* active = mdiArea_->currentSubWindow();
    const auto* teams = active ? qobject_cast<frmTeamRatings*>(active->widget()) : nullptr;
    const std::optional<ListTable> list =
        teams ? std::optional<ListTable>(teams->table().listTable()) : std::nullopt;
    if (const auto status = saveWindowAsHtml(session_, platform_, list ? &*list : nullptr))
        statusBar()->showMessage(toDisplayText(*status));
}

void frmMain::mnuFileExit_Click() {
    close();
}

void frmMain::mnuEditUndo_Click() {
    session_.document.undoStack().undo();
}

void frmMain::mnuEditRedo_Click() {
    session_.document.undoStack().redo();
}

void frmMain::mnuEditDefineTeams_Click() {
    frmDefineTeams dialog(session_.document, platform_, this);
    dialog.exec();
}

frmRosters* frmMain::showRosters() {
    return showChildWindow<frmRosters>([this] {
        auto* editor = new frmRosters(session_.document, platform_);
        connect(editor, &frmRosters::unstoredEditsChanged, this, &frmMain::updateUndoActions);
        return editor;
    });
}

void frmMain::mnuEditDefinePlayers_Click() {
    showRosters();
}

void frmMain::mnuEditSwapDefensiveBacks_Click() {
    // The editor opens first: opening stores its first page, and the swap is then the step
    // that Undo takes back.
    frmRosters* editor = showRosters();
    session_.document.swapDefensiveBacks();
    editor->Update_Player_Display();
    platform_.messageBox(msg::ReadMeTitle, text::DefensiveBacksSwapped, MessageIcon::Information);
}

void frmMain::mnuEditGeneralInformation_Click() {
    showChildWindow<frmGeneralInformation>(
        [this] { return new frmGeneralInformation(session_.document); });
}

void frmMain::mnuViewTeamRatings_Click() {
    showChildWindow<frmTeamRatings>([this] { return new frmTeamRatings(session_); });
}

void frmMain::mnuViewPlayerRatings_Click() {
    showChildWindow<frmPlayerRatings>([this] { return new frmPlayerRatings(session_); });
}

void frmMain::mnuHelpAbout_Click() {
    platform_.messageBox(text::AboutTitle, text::AboutText, MessageIcon::Information);
}

} // namespace kvx
