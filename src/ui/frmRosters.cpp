#include "ui/frmRosters.h"

#include "document/tables.h"
#include "ui/attributebox.h"
#include "ui/childwindow.h"
#include "ui/document.h"
#include "ui/frmChooseFace.h"
#include "ui/frmTradePlayer.h"
#include "ui/platform.h"
#include "ui/qtext.h"
#include "ui/typedvalues.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kvx {

namespace {

// Which row (and, for attribute boxes, which box) a control of the grid belongs to.
constexpr const char* RowProperty = "kvxRow";
constexpr const char* BoxProperty = "kvxBox";

// Grid columns: the row button, "#", "First Name", "Last Name", then the eleven attributes.
constexpr int FirstAttributeColumn = 4;

// Attributes 0..5 every group has; 6..10 depend on the group.
constexpr int CommonAttributes = static_cast<int>(CommonAttributeAbbreviations.size());

const QColor EditedRowColour(255, 255, 255);

// The entries of every attribute box: the shown value of each level 0..15, two digits.
QStringList levelEntries() {
    QStringList entries;
    for (const std::int16_t value : AttributeScale)
        entries << QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    return entries;
}

QString fromTable(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString rowName(int row, const QString& what) {
    // Rows are spoken as the depth chart counts them, from 1.
    return QStringLiteral("Row %1 %2").arg(row + 1).arg(what);
}

bool complete(const QLineEdit* firstName, const QLineEdit* lastName) {
    return !firstName->text().isEmpty() && !lastName->text().isEmpty();
}

} // namespace

frmRosters::frmRosters(Document& document, Platform& platform, QWidget* parent)
    : QWidget(parent), document_(document), platform_(platform) {
    setObjectName(QStringLiteral("frmRosters"));
    setWindowTitle(QStringLiteral("Rosters"));
    buildControls();
    showFirstPage(true);

    connect(cmbPosition_, &QComboBox::currentIndexChanged, this, &frmRosters::cmbPosition_Click);
    connect(cmbTeams_, &QComboBox::currentIndexChanged, this, &frmRosters::cmbTeams_Click);
    connect(&document_, &Document::changed, this, &frmRosters::documentChanged);
}

void frmRosters::buildControls() {
    cmbTeams_ = new QComboBox(this);
    cmbTeams_->setObjectName(QStringLiteral("cmbTeams"));
    cmbTeams_->setMinimumContentsLength(24);
    auto* lblTeams = new QLabel(QStringLiteral("Team:"), this);
    lblTeams->setBuddy(cmbTeams_);
    cmbPosition_ = new QComboBox(this);
    cmbPosition_->setObjectName(QStringLiteral("cmbPosition"));
    for (const std::string_view label : GroupLabels)
        cmbPosition_->addItem(fromTable(label));
    auto* lblPosition = new QLabel(QStringLiteral("Position:"), this);
    lblPosition->setBuddy(cmbPosition_);

    fraPlayers_ = new QFrame(this);
    fraPlayers_->setObjectName(QStringLiteral("fraPlayers"));
    fraPlayers_->setFrameShape(QFrame::StyledPanel);
    fraPlayers_->setAccessibleName(QStringLiteral("Players"));
    auto* grid = new QGridLayout(fraPlayers_);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(3);

    auto header = [this, grid](const QString& caption, int column) {
        auto* label = new QLabel(caption, fraPlayers_);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        grid->addWidget(label, 0, column);
        return label;
    };
    header(QStringLiteral("#"), 1);
    header(QStringLiteral("First Name"), 2)->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    header(QStringLiteral("Last Name"), 3)->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    for (int j = 0; j < AttributeCount; ++j) {
        QLabel* label = header(QString(), FirstAttributeColumn + j);
        label->setObjectName(QStringLiteral("lblAtt_%1").arg(j));
        if (j < CommonAttributes) {
            const auto abbreviation = CommonAttributeAbbreviations[static_cast<std::size_t>(j)];
            const auto name = CommonAttributeNames[static_cast<std::size_t>(j)];
            label->setText(fromTable(abbreviation));
            label->setToolTip(fromTable(name));
        }
        lblAtt_[static_cast<std::size_t>(j)] = label;
    }

    const QStringList entries = levelEntries();
    rows_ = new QButtonGroup(this);
    // Created row by row, so that Tab runs through a row before it reaches the next one.
    for (int r = 0; r < Rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        auto* radio = new QRadioButton(fraPlayers_);
        radio->setObjectName(QStringLiteral("radPlayer_%1").arg(r));
        radio->setAccessibleName(QStringLiteral("Row %1").arg(r + 1));
        rows_->addButton(radio, r);
        grid->addWidget(radio, r + 1, 0);
        radPlayer_[row] = radio;

        auto* number = new QLineEdit(fraPlayers_);
        number->setObjectName(QStringLiteral("txtNumber_%1").arg(r));
        number->setAccessibleName(rowName(r, QStringLiteral("number")));
        number->setToolTip(QStringLiteral("Jersey number, 0 to 99"));
        number->setValidator(new JerseyNumberValidator(number));
        number->setAlignment(Qt::AlignRight);
        number->setFixedWidth(number->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        // A keystroke that would make the number larger than 99 is refused, audibly.
        connect(number, &QLineEdit::inputRejected, this, [this] { platform_.beep(); });
        grid->addWidget(number, r + 1, 1);
        txtNumber_[row] = number;

        auto* firstName = new QLineEdit(fraPlayers_);
        firstName->setObjectName(QStringLiteral("txtFirstName_%1").arg(r));
        firstName->setAccessibleName(rowName(r, QStringLiteral("first name")));
        firstName->setMinimumWidth(100);
        // The name columns take the room the window gives them, from a compact start.
        firstName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        latin1Only(firstName);
        grid->addWidget(firstName, r + 1, 2);
        txtFirstName_[row] = firstName;

        auto* lastName = new QLineEdit(fraPlayers_);
        lastName->setObjectName(QStringLiteral("txtLastName_%1").arg(r));
        lastName->setAccessibleName(rowName(r, QStringLiteral("last name")));
        lastName->setMinimumWidth(110);
        lastName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        latin1Only(lastName);
        grid->addWidget(lastName, r + 1, 3);
        txtLastName_[row] = lastName;

        for (QWidget* box : {static_cast<QWidget*>(number), static_cast<QWidget*>(firstName),
                             static_cast<QWidget*>(lastName)}) {
            box->setProperty(RowProperty, r);
            box->installEventFilter(this);
        }
        connect(firstName, &QLineEdit::textChanged, this, &frmRosters::Validate);
        connect(lastName, &QLineEdit::textChanged, this, &frmRosters::Validate);
        for (QLineEdit* box : {number, firstName, lastName})
            connect(box, &QLineEdit::textEdited, this, &frmRosters::userEdited);

        for (int j = 0; j < AttributeCount; ++j) {
            const int c = r * AttributeCount + j;
            auto* box = new AttributeBox(fraPlayers_);
            box->setObjectName(QStringLiteral("cmbAtt_%1").arg(c));
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            // Typed values follow their own rule when the box is left; completing "1" to "13"
            // as it is typed would defeat it.
            box->setCompleter(nullptr);
            box->addItems(entries);
            box->setCurrentIndex(-1);
            box->setEnabled(false);
            // Wide enough for two digits beside the arrow, so that all eleven columns fit.
            box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 30);
            // A hidden column keeps its place, so the grid does not jump between groups.
            QSizePolicy policy = box->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            box->setSizePolicy(policy);
            box->setProperty(RowProperty, r);
            box->setProperty(BoxProperty, c);
            box->installEventFilter(this);
            connect(box->lineEdit(), &QLineEdit::textEdited, this,
                    [this, c] { attributeEdited(c, true); });
            connect(box->lineEdit(), &QLineEdit::returnPressed, this,
                    [this, c] { settleTypedValue(c); });
            connect(box, &QComboBox::activated, this, [this, c] { attributeEdited(c, false); });
            connect(box, &QComboBox::currentIndexChanged, this, [this, c](int index) {
                if (!displaying_ && index >= 0)
                    giveUpKeptLevel(c);
            });
            grid->addWidget(box, r + 1, FirstAttributeColumn + j);
            cmbAtt_[static_cast<std::size_t>(c)] = box;
        }
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);

    // The spinner: one arrow up, one down, beside the rows it moves.
    auto* upDown = new QWidget(this);
    upDown->setObjectName(QStringLiteral("UpDown1"));
    upDown->setAccessibleName(QStringLiteral("Move player"));
    auto* upDownLayout = new QVBoxLayout(upDown);
    upDownLayout->setContentsMargins(0, 0, 0, 0);
    upDownLayout->setSpacing(0);
    // Each arrow has its key, Alt with the arrow key, anywhere in the window.
    auto arrow = [this, upDown, upDownLayout](Qt::ArrowType type, const char* name,
                                              const char* spoken, const char* tip, Qt::Key key,
                                              int step) {
        auto* button = new QToolButton(upDown);
        button->setObjectName(QString::fromLatin1(name));
        button->setArrowType(type);
        button->setAccessibleName(QString::fromLatin1(spoken));
        button->setToolTip(QString::fromLatin1(tip));
        button->setFixedSize(28, 24);
        upDownLayout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, step] { UpDown1_Click(step); });
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step] { UpDown1_Click(step); });
    };
    arrow(Qt::UpArrow, "UpDown1Up", "Move player up",
          "Move the selected player up one place (Alt+Up)", Qt::Key_Up, -1);
    arrow(Qt::DownArrow, "UpDown1Down", "Move player down",
          "Move the selected player down one place (Alt+Down)", Qt::Key_Down, +1);

    auto button = [this](const char* caption, const char* name, void (frmRosters::*handler)()) {
        auto* push = new QPushButton(QString::fromLatin1(caption), this);
        push->setObjectName(QString::fromLatin1(name));
        connect(push, &QPushButton::clicked, this, handler);
        return push;
    };
    QPushButton* cmdDetails = button("Details", "cmdDetails", &frmRosters::cmdDetails_Click);
    cmdDetails->setToolTip(QStringLiteral("Choose the selected player's face"));
    QPushButton* cmdTrade = button("Trade", "cmdTrade", &frmRosters::cmdTrade_Click);
    cmdTrade->setToolTip(QStringLiteral("Exchange the selected player with any player"));
    QPushButton* cmdOK = button("OK", "cmdOK", &frmRosters::cmdOK_Click);
    cmdOK->setToolTip(QStringLiteral("Store this page and close"));

    auto* top = new QHBoxLayout;
    top->addWidget(lblTeams);
    top->addWidget(cmbTeams_);
    top->addSpacing(16);
    top->addWidget(lblPosition);
    top->addWidget(cmbPosition_);
    top->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(fraPlayers_, 1);
    body->addWidget(upDown, 0, Qt::AlignVCenter);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDetails);
    buttons->addWidget(cmdTrade);
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    // The rows stay at the top of a window taller than they need (maximised); the buttons
    // keep to the bottom.
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body);
    layout->addStretch(1);
    layout->addLayout(buttons);

    for (int r = 0; r < Rows; ++r)
        Highlight(r, frameColour());
}

// --- Pages ---------------------------------------------------------------------------------

void frmRosters::showFirstPage(bool store) {
    // Opening stores the first page at once; CurrentTeam 0 makes the team change store it.
    CurrentTeam = store && document_.teamCount() > 0 ? 0 : -1;
    CurrentPosition = -1;
    fillTeamList();
    {
        const QSignalBlocker blocker(cmbPosition_);
        cmbPosition_->setCurrentIndex(0);
    }
    cmbPosition_Click();
    {
        const QSignalBlocker blocker(cmbTeams_);
        cmbTeams_->setCurrentIndex(cmbTeams_->count() > 0 ? 0 : -1);
    }
    cmbTeams_Click();
}

void frmRosters::fillTeamList() {
    const QSignalBlocker blocker(cmbTeams_);
    cmbTeams_->clear();
    // Each entry carries its team's index: two teams may show the same text.
    for (int t = 0; t < document_.teamCount(); ++t)
        cmbTeams_->addItem(toQString(document_.team(t).displayName()), t);
    cmbTeams_->setCurrentIndex(showsTeam() ? CurrentTeam : cmbTeams_->count() > 0 ? 0 : -1);
}

bool frmRosters::showsTeam() const {
    return CurrentTeam >= 0 && CurrentTeam < document_.teamCount();
}

void frmRosters::cmbPosition_Click() {
    const int group = cmbPosition_->currentIndex();
    if (group < 0)
        return;
    if (CurrentPosition >= 0)
        Save_Information();
    for (int k = 0; k < AttributeCount - CommonAttributes; ++k) {
        const auto abbreviation = AttributeNames(group, k, Abbreviation);
        const auto name = AttributeNames(group, k, FullName);
        QLabel* label = lblAtt_[static_cast<std::size_t>(CommonAttributes + k)];
        label->setText(fromTable(abbreviation));
        label->setToolTip(fromTable(name));
    }
    for (int c = 0; c < AttributeBoxes; ++c) {
        QComboBox* box = cmbAtt_[static_cast<std::size_t>(c)];
        const QLabel* label = lblAtt_[static_cast<std::size_t>(c % AttributeCount)];
        const bool shown = !label->text().isEmpty();
        box->setVisible(shown);
        if (shown) {
            box->setAccessibleName(rowName(c / AttributeCount, label->text()));
            box->setAccessibleDescription(label->toolTip());
        }
    }
    Update_Player_Display();
    CurrentPosition = group;
    radPlayer_[0]->setChecked(true);
}

void frmRosters::cmbTeams_Click() {
    // The list is refreshed on every change of the teams, but an index past the last team is
    // never taken.
    const QVariant entry = cmbTeams_->currentData();
    const int team = entry.isValid() ? entry.toInt() : -1;
    if (team < 0 || team >= document_.teamCount())
        return;
    if (CurrentTeam >= 0)
        Save_Information();
    CurrentTeam = team;
    Update_Player_Display();
    radPlayer_[0]->setChecked(true);
}

void frmRosters::Update_Player_Display() {
    const QScopedValueRollback<bool> displaying(displaying_, true);
    const int group = cmbPosition_->currentIndex();
    const bool shown = showsTeam() && group >= 0;
    const PlayerRecord blank;
    for (int r = 0; r < Rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        const PlayerRecord& player =
            shown ? document_.player(CurrentTeam, group * Rows + r) : blank;
        txtFirstName_[row]->setText(toQString(player.FirstName));
        txtLastName_[row]->setText(toQString(player.LastName));
        const bool isComplete = complete(txtFirstName_[row], txtLastName_[row]);
        txtNumber_[row]->setText(isComplete ? QString::number(player.Number) : QString());
        for (int j = 0; j < AttributeCount; ++j) {
            const int c = r * AttributeCount + j;
            showLevel(c, isComplete ? player.Attributes[static_cast<std::size_t>(j)] : -1);
            cmbAtt_[static_cast<std::size_t>(c)]->setEnabled(isComplete);
        }
    }
    // Setting the names runs Validate, as every change of a name box does, once the page is
    // filled: a complete row's box without a level shows "06".
    enableCompleteRows();
    edited_ = false;
    emit unstoredEditsChanged();
}

std::array<PlayerRecord, DepthPlaces> frmRosters::pageRecords() const {
    const int first = CurrentPosition * Rows;
    std::array<PlayerRecord, Rows> page;
    for (int r = 0; r < Rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        PlayerRecord& player = page[row];
        player = document_.player(CurrentTeam, first + r);
        player.FirstName = fromQString(txtFirstName_[row]->text());
        player.LastName = fromQString(txtLastName_[row]->text());
        // The box accepts only 0..99; a number shown from the document is kept as it was.
        player.Number = static_cast<std::int16_t>(
            std::clamp(roundedLeadingNumber(txtNumber_[row]->text()), -32768.0, 32767.0));
        for (int j = 0; j < AttributeCount; ++j) {
            const auto c = static_cast<std::size_t>(r * AttributeCount + j);
            const QComboBox* box = cmbAtt_[c];
            auto& level = player.Attributes[static_cast<std::size_t>(j)];
            if (typed_[c])
                level = static_cast<std::int16_t>(typedLevel(box->currentText()));
            else if (box->currentIndex() < 0 && kept_[c])
                level = *kept_[c];
            else
                level = static_cast<std::int16_t>(box->currentIndex());
        }
    }
    return page;
}

void frmRosters::Save_Information() {
    if (!showsTeam() || CurrentPosition < 0)
        return;
    for (int c = 0; c < AttributeBoxes; ++c)
        settleTypedValue(c);
    const auto page = pageRecords();
    {
        const QScopedValueRollback<bool> storing(storing_, true);
        document_.storePlayers(CurrentTeam, CurrentPosition * Rows, page, tr(EditPlayersAction));
    }
    edited_ = false;
    emit unstoredEditsChanged();
}

bool frmRosters::hasUnstoredEdits() const {
    if (!edited_ || !showsTeam() || CurrentPosition < 0)
        return false;
    const auto page = pageRecords();
    const int first = CurrentPosition * Rows;
    for (int r = 0; r < Rows; ++r)
        if (!(page[static_cast<std::size_t>(r)] == document_.player(CurrentTeam, first + r)))
            return true;
    return false;
}

void frmRosters::storeTyping() {
    if (hasUnstoredEdits())
        Save_Information();
}

void frmRosters::userEdited() {
    edited_ = true;
    emit unstoredEditsChanged();
}

void frmRosters::Validate() {
    if (!displaying_)
        enableCompleteRows();
}

void frmRosters::enableCompleteRows() {
    for (int r = 0; r < Rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        const bool isComplete = complete(txtFirstName_[row], txtLastName_[row]);
        for (int j = 0; j < AttributeCount; ++j) {
            const auto c = static_cast<std::size_t>(r * AttributeCount + j);
            QComboBox* box = cmbAtt_[c];
            box->setEnabled(isComplete);
            if (isComplete && box->currentIndex() < 0 && !kept_[c])
                box->setCurrentIndex(0);
        }
    }
}

void frmRosters::settleTypedValue(int box) {
    const auto c = static_cast<std::size_t>(box);
    if (!typed_[c])
        return;
    typed_[c] = false;
    QComboBox* combo = cmbAtt_[c];
    const int level = typedLevel(combo->currentText());
    combo->setCurrentIndex(level);
    // The entry's own text, also when the level was already selected before the typing.
    combo->setEditText(level >= 0 ? combo->itemText(level) : QString());
}

void frmRosters::attributeEdited(int box, bool typed) {
    typed_[static_cast<std::size_t>(box)] = typed;
    giveUpKeptLevel(box);
    userEdited();
}

void frmRosters::giveUpKeptLevel(int box) {
    const auto c = static_cast<std::size_t>(box);
    if (!kept_[c])
        return;
    kept_[c].reset();
    cmbAtt_[c]->setToolTip(QString());
}

void frmRosters::showLevel(int box, int level) {
    const auto c = static_cast<std::size_t>(box);
    QComboBox* combo = cmbAtt_[c];
    typed_[c] = false;
    const bool hasEntry = level >= 0 && level < combo->count();
    kept_[c] = hasEntry || level == -1 ? std::nullopt : std::optional<std::int16_t>(level);
    combo->setCurrentIndex(hasEntry ? level : -1);
    combo->setToolTip(kept_[c] ? tr("Level %1 has no value to show; it is kept until you "
                                    "choose one.")
                                     .arg(level)
                               : QString());
}

int frmRosters::Selected_Radio() const {
    return std::max(rows_->checkedId(), 0);
}

// --- Row focus -----------------------------------------------------------------------------

void frmRosters::Highlight(int row, const QColor& colour) {
    const auto r = static_cast<std::size_t>(row);
    auto paint = [&colour](QWidget* box) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, colour);
        box->setPalette(palette);
    };
    paint(txtNumber_[r]);
    paint(txtFirstName_[r]);
    paint(txtLastName_[r]);
    for (int j = 0; j < AttributeCount; ++j)
        paint(cmbAtt_[r * AttributeCount + static_cast<std::size_t>(j)]);
}

QColor frmRosters::frameColour() const {
    return fraPlayers_->palette().color(QPalette::Window);
}

// The row being edited stands out white and its button follows the focus. A combo box's list
// opening takes the focus only for a moment; it neither ends the row's editing nor a typed value.
bool frmRosters::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Ctrl+Z in a box undoes the box's own typing; once it has none, the key is the Edit
        // menu's Undo (which takes back the page's typing first), and likewise for Redo.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        if (undo || key->matches(QKeySequence::Redo)) {
            const auto* box = qobject_cast<const QComboBox*>(watched);
            const QLineEdit* text = box ? box->lineEdit() : qobject_cast<const QLineEdit*>(watched);
            if (text && !(undo ? text->isUndoAvailable() : text->isRedoAvailable()))
                return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    const bool in = event->type() == QEvent::FocusIn;
    if ((in || event->type() == QEvent::FocusOut) &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        const QVariant row = watched->property(RowProperty);
        if (row.isValid()) {
            const int r = row.toInt();
            if (in) {
                Highlight(r, EditedRowColour);
                radPlayer_[static_cast<std::size_t>(r)]->setChecked(true);
            } else {
                const QVariant box = watched->property(BoxProperty);
                if (box.isValid())
                    settleTypedValue(box.toInt());
                Highlight(r, frameColour());
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- Commands ------------------------------------------------------------------------------
//
// Moving, trading and a new face change the document at once. What was typed on the page is
// stored first, so that it is not lost; the document's change signal then redisplays the page.

void frmRosters::UpDown1_Click(int step) {
    const int row = Selected_Radio();
    const int target = row + step;
    if (target < 0 || target >= Rows) {
        platform_.beep();
        return;
    }
    if (!showsTeam() || CurrentPosition < 0)
        return;
    storeTyping();
    const int first = CurrentPosition * Rows;
    document_.swapPlayers(CurrentTeam, first + row, CurrentTeam, first + target, tr("Move Player"));
    QRadioButton* moved = radPlayer_[static_cast<std::size_t>(target)];
    moved->setChecked(true);
    moved->setFocus(Qt::OtherFocusReason);
}

void frmRosters::cmdDetails_Click() {
    if (!showsTeam() || CurrentPosition < 0)
        return;
    storeTyping();
    const int slot = CurrentPosition * Rows + Selected_Radio();
    const int face = document_.player(CurrentTeam, slot).Face;
    const std::optional<int> chosen = frmChooseFace::choose(face, this);
    // OK without a click hands the incoming face back: nothing to store, even when the id is
    // one the chooser has no picture for.
    if (chosen && *chosen != face && showsTeam())
        document_.setFace(CurrentTeam, slot, *chosen);
}

void frmRosters::cmdTrade_Click() {
    if (!showsTeam() || CurrentPosition < 0)
        return;
    storeTyping();
    const int slot = CurrentPosition * Rows + Selected_Radio();
    const std::optional<PlayerPlace> partner = frmTradePlayer::choose(document_, this);
    if (partner && showsTeam())
        document_.swapPlayers(CurrentTeam, slot, partner->team, partner->slot, tr("Trade"));
}

void frmRosters::cmdOK_Click() {
    Save_Information();
    closeChildWindow(this);
}

// --- Following the document ----------------------------------------------------------------

void frmRosters::documentChanged(const DocumentChange& change) {
    if (storing_)
        return;
    if (document_.teamCount() == 0) {
        closeChildWindow(this);
        return;
    }
    // Another document, or the team shown is gone (an undone Define Teams): start over without
    // storing anything, as the page shown belongs to what is gone.
    if (change.has(DocumentAspect::Whole) || !showsTeam()) {
        showFirstPage(false);
        return;
    }
    if (change.has(DocumentAspect::TeamCount) || change.has(DocumentAspect::TeamTexts))
        fillTeamList();
    if (change.has(DocumentAspect::Players) && change.touches(CurrentTeam))
        Update_Player_Display();
}

} // namespace kvx
