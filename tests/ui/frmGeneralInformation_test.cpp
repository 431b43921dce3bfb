#include "uitest.h"

#include "document/datafile.h"
#include "ui/frmGeneralInformation.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <QUndoStack>

namespace kvx::test {

namespace {

frmGeneralInformation* openWindow(App& app) {
    if (!trigger(*app.window, "mnuEditGeneralInformation"))
        return nullptr;
    return app.window->childWindow<frmGeneralInformation>();
}

QLineEdit* box(QWidget& window, const char* name) {
    return window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

QComboBox* list(QWidget& window, const char* name) {
    return window.findChild<QComboBox*>(QString::fromLatin1(name));
}

void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

const GeneralInfoRecord& info(App& app) {
    return app.session.document.league().GeneralInfo;
}

} // namespace

class GeneralInformationTest : public QObject {
    Q_OBJECT

private slots:
    // A new document shows today and "ANONYMOUS" in a window that leaves the main window free;
    // asking again brings the same window forward.
    void newDocumentShowsTodayInOneWindow() {
        App app;
        frmGeneralInformation* window = openWindow(app);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("General Information"));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(box(*window, "txtYear")->text(), QString("2001"));
        QCOMPARE(list(*window, "cmbMonth")->currentText(), QString("3"));
        QCOMPARE(list(*window, "cmbDay")->currentText(), QString("7"));
        QCOMPARE(list(*window, "cmbMonth")->count(), 12);
        QCOMPARE(list(*window, "cmbDay")->count(), 31);
        QCOMPARE(box(*window, "txtCredits")->text(), QString("ANONYMOUS"));
        QVERIFY(!app.session.document.isModified()); // "2001" needed no padding

        retype(box(*window, "txtYear"), "1990");
        QCOMPARE(openWindow(app), window);
        QCOMPARE(app.window->mdiArea()->subWindowList().size(), 1);
        QCOMPARE(box(*window, "txtYear")->text(), QString("1990"));

        // Month and day share the date's label, so they carry names of their own.
        QCOMPARE(spokenLabel(box(*window, "txtYear")), QString("Roster Date:"));
        QCOMPARE(spokenLabel(box(*window, "txtCredits")), QString("Credits:"));
        QCOMPARE(list(*window, "cmbMonth")->accessibleName(), QString("Roster date month"));
        QCOMPARE(list(*window, "cmbDay")->accessibleName(), QString("Roster date day"));
        typeKeys(box(*window, "txtCredits"), QString::fromUtf8("\xE2\x82\xAC"));
        QCOMPARE(box(*window, "txtCredits")->text(), QString("ANONYMOUS"));
    }

    // OK stores the year cut or padded to four, the credits as typed and the date unchecked.
    void okStoresWhatTheWindowShows() {
        App app;
        frmGeneralInformation* window = openWindow(app);
        QVERIFY(window);
        retype(box(*window, "txtYear"), "99");
        list(*window, "cmbMonth")->setCurrentIndex(1);
        list(*window, "cmbDay")->setCurrentIndex(30);
        box(*window, "txtCredits")->setText("  MINE  ");
        click(*window, "cmdOK");
        QCOMPARE(info(app).Year, std::string("99  "));
        QCOMPARE(info(app).Month, std::int16_t{2});
        QCOMPARE(info(app).Day, std::int16_t{31});
        QCOMPARE(info(app).Credits, std::string("  MINE  "));
        QTRY_VERIFY(!app.window->childWindow<frmGeneralInformation>());

        window = openWindow(app);
        QVERIFY(window);
        QCOMPARE(box(*window, "txtYear")->text(), QString("99"));
        QCOMPARE(box(*window, "txtCredits")->text(), QString("MINE"));
        QCOMPARE(app.session.document.undoStack().count(), 1);
        retype(box(*window, "txtYear"), "20245");
        QCOMPARE(box(*window, "txtYear")->text(), QString("2024"));
    }

    void closeBoxStoresNothing() {
        App app;
        frmGeneralInformation* window = openWindow(app);
        QVERIFY(window);
        const GeneralInfoRecord before = info(app);
        retype(box(*window, "txtYear"), "1980");
        list(*window, "cmbMonth")->setCurrentIndex(0);
        box(*window, "txtCredits")->setText("CHANGED");
        app.window->mdiArea()->subWindowList().first()->close();
        QTRY_VERIFY(!app.window->childWindow<frmGeneralInformation>());
        QVERIFY(info(app) == before);
        QVERIFY(!app.session.document.isModified());
    }

    // A data file may carry a year that is not padded and a month or day no list holds: the
    // year is padded on opening, and an unknown month or day shows no entry and is kept.
    void valuesOfADataFileOutsideTheLists() {
        App app;
        League league;
        newDocument(league, Date{1999, 9, 9});
        league.GeneralInfo = {"  99", 13, 0, " PADDED CREDITS "};
        Save_Data_File(league, app.file("odd.kvx"));
        app.platform.chooseOpen(app.file("odd.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileOpen"));

        frmGeneralInformation* window = openWindow(app);
        QVERIFY(window);
        QCOMPARE(info(app).Year, std::string("99  "));
        QVERIFY(app.session.document.isModified());
        QCOMPARE(box(*window, "txtYear")->text(), QString("99"));
        QCOMPARE(list(*window, "cmbMonth")->currentIndex(), -1);
        QCOMPARE(list(*window, "cmbDay")->currentIndex(), -1);
        QCOMPARE(info(app).Credits, std::string(" PADDED CREDITS "));
        list(*window, "cmbDay")->setCurrentIndex(4);
        click(*window, "cmdOK");
        QCOMPARE(info(app).Month, std::int16_t{13});
        QCOMPARE(info(app).Day, std::int16_t{5});
        QCOMPARE(info(app).Credits, std::string("PADDED CREDITS"));
    }

    // The window never shows values of a document that is gone or of an edit that was undone.
    void followsTheDocument() {
        App app;
        frmGeneralInformation* window = openWindow(app);
        QVERIFY(window);
        retype(box(*window, "txtYear"), "1234");
        makeChange(app.session); // credits changed elsewhere
        QCOMPARE(box(*window, "txtCredits")->text(), QString("ANONYMOUS (changed)"));
        QCOMPARE(box(*window, "txtYear")->text(), QString("2001"));
        app.session.document.undoStack().undo();
        QCOMPARE(box(*window, "txtCredits")->text(), QString("ANONYMOUS"));

        writeDataFile(app.file("a.kvx"), "Alpha"); // dated 1999-09-09
        app.platform.chooseOpen(app.file("a.kvx"));
        list(*window, "cmbMonth")->setCurrentIndex(0);
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        QCOMPARE(app.window->childWindow<frmGeneralInformation>(), window);
        QCOMPARE(box(*window, "txtYear")->text(), QString("1999"));
        QCOMPARE(list(*window, "cmbMonth")->currentText(), QString("9"));
        QCOMPARE(list(*window, "cmbDay")->currentText(), QString("9"));
        click(*window, "cmdOK");
        QVERIFY(!app.session.document.isModified());
    }
};

KVX_UI_TEST(GeneralInformationTest)

} // namespace kvx::test

#include "frmGeneralInformation_test.moc"
