#pragma once

#include "document/settings.h"
#include "ui/emulator.h"
#include "ui/filecommands.h"
#include "ui/mainarea.h"
#include "ui/platform.h"
#include "ui/romcommands.h"
#include "ui/session.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <array>
#include <functional>
#include <string>

class QAction;
class QMenu;

namespace kvx {

class frmRosters;

// The main window: the menu bar with every command, the area holding the child windows, and
// start-up (in the constructor) and shut-down (when the window closes).
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    frmMain(Session& session, Platform& platform, RecentStore& recent, QWidget* parent = nullptr);
    ~frmMain() override;

    // Rebuilds the four recent-file entries and their separator from the stored list.
    void Update_Recent_Menu();
    // Enables the entries the document's state allows; runs whenever a menu opens and after
    // every command, so that keyboard shortcuts follow the same rules.
    void updateMenuState();
    // Undo and Redo name the step they would take back or do again, and are enabled only
    // when there is one.
    void updateUndoActions();

    QMdiArea* mdiArea() const { return mdiArea_; }

    // Opens a file given on the command line or dropped on the window: a data file is opened,
    // anything else imported as a game image with automatic detection. The unsaved-changes
    // question comes first.
    void openFile(const std::string& path);

    // The open child window of type W, or nullptr.
    template <class W>
    W* childWindow() const {
        for (QMdiSubWindow* frame : mdiArea_->subWindowList())
            if (auto* window = qobject_cast<W*>(frame->widget()))
                return window;
        return nullptr;
    }

    // Shows the one child window of type W: an open one is brought forward as it stands,
    // otherwise `make` creates it and it opens in the main window's area. Closing it deletes it.
    template <class W, class Make>
    W* showChildWindow(Make make) {
        if (W* open = childWindow<W>()) {
            bringForward(open);
            return open;
        }
        W* window = make();
        addChildWindow(window);
        return window;
    }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void addChildWindow(QWidget* window);
    void bringForward(QWidget* window);
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewAndHelpMenus();
    QMenu* addMenu(const char* caption, const char* name);
    QAction* addCommand(QMenu* menu, const char* caption, const char* name,
                        void (frmMain::*handler)());
    void addSeparator(QMenu* menu, const char* name);
    // The one boundary of every menu command: whatever ends a command early is reported and
    // the program goes on with the document as the command left it (commands change the
    // document only once they have succeeded).
    void runCommand(void (frmMain::*handler)());
    void runCommand(const std::function<void()>& command);
    // "league.kvx[*] - Kickvane Manager 2000 [Version 0.70]", "Untitled" before the first save.
    void updateCaption();
    // What was typed on the rosters editor's page counts for every command (Save writes it, New
    // asks about it, Undo takes it back): it is stored first, as when the user switches page.
    void storeEditedPage();
    // Edit > Define Players: the rosters editor, opened or brought forward.
    frmRosters* showRosters();
    // The main area's summary of the league as it stands.
    void updateLeagueSummary();

    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileImportData_Click();
    void mnuFileExportData_Click();
    void mnuFileImportPatched_Click();
    void mnuFilePlayInEmulator_Click();
    void mnuFileImportCSV_Click();
    void mnuFileExportCSV_Click();
    void mnuFileLoadRatingScale_Click();
    void mnuSaveRatingScaleAs_Click();
    void mnuFileSaveWindowAsHTML_Click();
    void mnuFileRecent_Click();
    void mnuFileExit_Click();
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();
    void mnuEditDefineTeams_Click();
    void mnuEditDefinePlayers_Click();
    void mnuEditSwapDefensiveBacks_Click();
    void mnuEditGeneralInformation_Click();
    void mnuViewTeamRatings_Click();
    void mnuViewPlayerRatings_Click();
    void mnuHelpAbout_Click();

    Session& session_;
    Platform& platform_;
    RecentStore& recent_;
    FileCommands files_;
    RomCommands roms_;
    EmulatorCommands emulator_;

    MainArea* mdiArea_;
    QAction* mnuFileSave_ = nullptr;
    QAction* mnuFileExportData_ = nullptr;
    QAction* mnuFilePlayInEmulator_ = nullptr;
    QAction* mnuFileExportCSV_ = nullptr;
    QAction* mnuFileSaveWindowAsHTML_ = nullptr;
    std::array<QAction*, RecentFileCount> mnuFileRecent_{};
    QAction* mnuFileB2_ = nullptr;
    QAction* mnuEditUndo_ = nullptr;
    QAction* mnuEditRedo_ = nullptr;
    QAction* mnuEditDefinePlayers_ = nullptr;
    QAction* mnuEditSwapDefensiveBacks_ = nullptr;
    QAction* mnuViewTeamRatings_ = nullptr;
    QAction* mnuViewPlayerRatings_ = nullptr;
    bool shutDown_ = false;
    // Where the league came from, as the command that loaded it reported it ("Imported 28
    // teams from game.nes (NES)"); the report of the command running, and whether that command
    // replaced the document.
    QString origin_;
    QString report_;
    bool replaced_ = false;
    int recentEntry_ = 0;
};

} // namespace kvx
