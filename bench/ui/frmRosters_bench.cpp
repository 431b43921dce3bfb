// How long the rosters editor takes to switch its page: the old page stored through the
// document, then seven rows and 77 attribute boxes filled and painted. A frame is 16 ms.
//
//   QT_QPA_PLATFORM=offscreen build/bench/kvx_ui_bench RostersEditorBench
#include "uibench.h"

#include "support/random_league.h"
#include "ui/document.h"
#include "ui/frmRosters.h"
#include "ui/qtplatform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace kvx {

namespace {

constexpr int Teams = 32;

} // namespace

class RostersEditorBench : public QObject {
    Q_OBJECT

private slots:
    void init() {
        document_ = std::make_unique<Document>();
        document_->replace(test::randomLeague(Teams, 2000));
        editor_ = std::make_unique<frmRosters>(*document_, platform_);
        editor_->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
    }

    void cleanup() {
        editor_.reset();
        document_.reset();
    }

    // "stored and shown": the widgets hold the new page; "painted": the whole window is drawn
    // again as well, as the next frame does.
    void switchTeam_data() { paintRows(); }
    void switchTeam() { switchThrough("cmbTeams", Teams); }
    void switchGroup_data() { paintRows(); }
    void switchGroup() { switchThrough("cmbPosition", GroupCount); }

    // A page whose rows were edited, so that the store also makes an undo step.
    void switchTeamAfterAnEdit() {
        auto* teams = editor_->findChild<QComboBox*>("cmbTeams");
        auto* name = editor_->findChild<QLineEdit*>("txtFirstName_0");
        int next = 1;
        int edit = 0;
        QBENCHMARK {
            name->setText(QStringLiteral("Edited%1").arg(++edit));
            teams->setCurrentIndex(next);
            editor_->repaint();
            next = (next + 1) % Teams;
        }
    }

private:
    static void paintRows() {
        QTest::addColumn<bool>("paint");
        QTest::newRow("stored and shown") << false;
        QTest::newRow("painted") << true;
    }

    void switchThrough(const char* list, int entries) {
        QFETCH(bool, paint);
        auto* box = editor_->findChild<QComboBox*>(QString::fromLatin1(list));
        int next = 1;
        QBENCHMARK {
            box->setCurrentIndex(next);
            if (paint)
                editor_->repaint();
            next = (next + 1) % entries;
        }
    }

    // Nothing in a page switch talks to the user.
    QtPlatform platform_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<frmRosters> editor_;
};

} // namespace kvx

std::unique_ptr<QObject> kvx::bench::makeRostersEditorBench() {
    return std::make_unique<RostersEditorBench>();
}

#include "frmRosters_bench.moc"
