// Builds the main window's controls and menus: positions and sizes come in twips
// (15 twips are one pixel at 96 dots per inch), as the layout was drawn.
#include "problem/entry_checks.h"
#include "shell/focus_guard.h"
#include "shell/frm_slopekit.h"
#include "shell/shell_fonts.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QValidator>

#include <algorithm>
#include <cmath>
#include <limits>

namespace slopekit {
namespace {

// Refuses an edit of the function box, a paste included, that would make the function
// longer than the engine takes: the box keeps its text whole instead of cutting it.
class FunctionLengthValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        constexpr qsizetype MostBytesPerUnit = 3;  // a UTF-16 unit is at most 3 bytes of UTF-8
        if (input.size() * MostBytesPerUnit <= static_cast<qsizetype>(MaxFunctionBytes))
            return Acceptable;
        return static_cast<std::size_t>(input.toUtf8().size()) <= MaxFunctionBytes ? Acceptable : Invalid;
    }
};

int pixels(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

template <typename Control>
Control* place(QWidget* container, const char* name, int left, int top, int width, int height)
{
    auto* control = new Control(container);
    control->setObjectName(name);
    control->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
    return control;
}

void setColours(QWidget* control, QPalette::ColorRole role, const QColor& background,
                const QColor& text = QApplication::palette().color(QPalette::WindowText))
{
    QPalette colours = control->palette();
    colours.setColor(role, background);
    // Text keeps the theme's grey in disabled controls, so a fixed entry looks fixed.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::WindowText, text);
        colours.setColor(group, QPalette::ButtonText, text);
        colours.setColor(group, QPalette::Text, text);
    }
    control->setPalette(colours);
}

const QColor LightCyan(192, 255, 255);
const QColor EntryGreen(192, 255, 192);
// A locked box: greyed, yet its text stays readable (a contrast above 5:1).
const QColor LockedBase(215, 225, 215);
const QColor LockedText(85, 85, 85);
const QColor ButtonTeal(0, 192, 192);

// Labels stand on the tooltip background in the window text colour of the desktop theme.
QLabel* label(QWidget* container, const char* name, const QString& caption, const QFont& font, int left, int top,
              int width, int height)
{
    auto* control = place<QLabel>(container, name, left, top, width, height);
    control->setText(caption);
    control->setFont(font);
    control->setAutoFillBackground(true);
    setColours(control, QPalette::Window, QApplication::palette().color(QPalette::ToolTipBase));
    return control;
}

QLineEdit* textBox(QWidget* container, const char* name, const QString& text, const QFont& font, int left, int top,
                   int width, int height)
{
    auto* control = place<QLineEdit>(container, name, left, top, width, height);
    control->setText(text);
    control->setFont(font);
    setColours(control, QPalette::Base, EntryGreen);
    QPalette colours = control->palette();
    colours.setColor(QPalette::Disabled, QPalette::Base, LockedBase);
    colours.setColor(QPalette::Disabled, QPalette::Text, LockedText);
    control->setPalette(colours);
    return control;
}

QPushButton* button(QWidget* container, const char* name, const QString& caption, const QColor& colour, int left,
                    int top, int width, int height)
{
    auto* control = place<QPushButton>(container, name, left, top, width, height);
    control->setText(caption);
    control->setFont(fonts::sansSerif(8.25));
    control->setAutoDefault(true);  // Enter clicks the focused button, as Space does
    setColours(control, QPalette::Button, colour);
    return control;
}

QGroupBox* frame(QWidget* container, const char* name, const QString& caption, int left, int top, int width, int height)
{
    auto* control = place<QGroupBox>(container, name, left, top, width, height);
    control->setTitle(caption);
    control->setFont(fonts::sansSerif(8.25, true));
    control->setAutoFillBackground(true);
    setColours(control, QPalette::Window, LightCyan);
    return control;
}

// The layout puts a frame's first controls where the old toolkit's thinner title ended;
// here they would cross the title's border line, so they move down below it.
void keepInside(QGroupBox* frame)
{
    int top = frame->height();
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        top = std::min(top, child->y());
    const int shift = frame->contentsRect().top() - top;
    if (shift <= 0)
        return;
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->move(child->x(), child->y() + shift);
}

}  // namespace

void frmSlopekit::createControls()
{
    auto* form = new QWidget(this);
    form->setObjectName("form");
    form->setMinimumSize(632, 434);
    form->installEventFilter(this);  // its resize spreads the extra room
    form->setAutoFillBackground(true);
    setColours(form, QPalette::Window, LightCyan);
    form->setFont(fonts::sansSerif(8.25));
    setCentralWidget(form);

    createEntryBoxes(form);
    createConstantsFrame(form);
    createPointFrame(form);
    lstDerVal = place<QListWidget>(form, "lstDerVal", 3435, 1365, 6045, 5100);
    setColours(lstDerVal, QPalette::Base, QColor(255, 255, 192));
    lstDerVal->setToolTip("1st and 2nd order partial derivatives");
    cmdCompute = button(form, "cmdCompute", "Compute", QColor(255, 192, 128), 2400, 5700, 1050, 285);
    cmdCompute->setToolTip("Evaluate 1st and 2nd order partial derivatives");
    Label1 = label(form, "Label1", "Slopekit:", fonts::verdana(8.25, true), 1530, 6000, 1920, 225);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName("lblStatus");
    statusBar()->addWidget(lblStatus, 1);
    m_laidOut = {txtVarNams->size(), txtEquation->size(), lstDerVal->size()};
}

// The count, the names and the function, each under or beside its caption.
void frmSlopekit::createEntryBoxes(QWidget* form)
{
    const QFont labelFont = fonts::sansSerif(8.25, true);
    const QFont entryFont = fonts::verdana(8.25);
    lblOrder = label(form, "lblOrder", "Enter # of independent variables:", labelFont, 0, 0, 2925, 285);
    txtOrder = textBox(form, "txtOrder", "", entryFont, 2910, 0, 330, 285);
    lblVarNam =
        label(form, "lblVarNam", "Enter the names of the independent variables, separated by commas:", labelFont, 0,
              300, 5925, 225);
    txtVarNams = textBox(form, "txtVarNams", "x,y,z,t", entryFont, 0, 510, 9500, 285);
    lblFunction = label(form, "lblFunction", "Enter function:", labelFont, 0, 825, 1335, 255);
    txtEquation = textBox(form, "txtEquation", "", entryFont, 0, 1050, 9500, 285);
    txtEquation->setToolTip("Must be in terms of the variables defined above and constants defined below");
    txtEquation->setMaxLength(std::numeric_limits<int>::max());  // the validator sets the limit
    txtEquation->setValidator(new FunctionLengthValidator(txtEquation));
}

void frmSlopekit::createConstantsFrame(QWidget* form)
{
    fraConstants = frame(form, "fraConstants", "User constants", 0, 1365, 2415, 975);
    fraConstants->setToolTip("Add or remove user-defined constants");
    cmdAddCons = button(fraConstants, "cmdAddCons", "Add", ButtonTeal, 120, 240, 1050, 270);
    cmdAddCons->setToolTip("Add (register) constant");
    cmdRemCons = button(fraConstants, "cmdRemCons", "Remove", ButtonTeal, 1200, 240, 1050, 270);
    cmdRemCons->setToolTip("Remove selected constant");
    cboConstants = place<QComboBox>(fraConstants, "cboConstants", 120, 600, 2175, 315);
    cboConstants->setEditable(true);
    cboConstants->setInsertPolicy(QComboBox::NoInsert);  // the Add handler keeps the list
    cboConstants->setCompleter(nullptr);                 // completing "a=2" to an item would store the item
    cboConstants->setFont(fonts::verdana(8.25));
    setColours(cboConstants, QPalette::Base, EntryGreen);
    cboConstants->setToolTip("Example: a=2.37");
    keepInside(fraConstants);
}

// The evaluation point: a labelled box per variable, hidden until the names are known.
void frmSlopekit::createPointFrame(QWidget* form)
{
    fraEval = frame(form, "fraEval", "Evaluation Point", 0, 2355, 3435, 3180);
    fraEval->setToolTip("Enter values for each variable");
    fraEval->hide();
    for (int i = 0; i < PointBoxes; ++i) {
        const QByteArray index = QByteArray::number(i);
        lblVarx[i] =
            label(fraEval, "lblVarx(" + index + ")", "x=", fonts::verdana(8.25, true), 0, 300 + 270 * i, 1515, 225);
        lblVarx[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);  // ends where its box begins
        lblVarx[i]->hide();
        txtVarx[i] =
            textBox(fraEval, "txtVarx(" + index + ")", "1", fonts::sansSerif(8.25), 1500, 270 + 270 * i, 1900, 285);
        txtVarx[i]->hide();
    }
}

void frmSlopekit::createMenus()
{
    menuBar()->setObjectName("menuBar");
    mnuFile = menuBar()->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    mnuFile->setSeparatorsCollapsible(false);  // the closing separator is part of the menu
    mnuOpen = mnuFile->addAction("&Open");
    mnuFileBar1 = mnuFile->addSeparator();
    mnuSave = mnuFile->addAction("&Save");
    mnuSaveAs = mnuFile->addAction("Save &As");
    mnuFileBar2 = mnuFile->addSeparator();
    mnuExit = mnuFile->addAction("E&xit");
    mnuPrint = menuBar()->addAction("&Print");
    mnuOptions = menuBar()->addMenu("&Options");
    mnuOptions->setObjectName("mnuOptions");
    auto* views = new QActionGroup(this);  // exclusive: one view at a time
    mnuClassic = views->addAction("&Classic results");
    mnuRefined = views->addAction("&Refined results");
    mnuExact = views->addAction("&Exact results");
    for (QAction* view : views->actions()) {
        view->setCheckable(true);
        mnuOptions->addAction(view);
    }
    mnuClassic->setChecked(true);
    mnuHelp = menuBar()->addAction("&Help");
    mnuAbout = menuBar()->addAction("&About");
    // A shortcut acts only while its item is enabled.
    mnuOpen->setShortcut(QKeySequence::Open);
    mnuSave->setShortcut(QKeySequence::Save);
    mnuPrint->setShortcut(QKeySequence::Print);
    mnuHelp->setShortcut(QKeySequence::HelpContents);
    mnuExit->setShortcut(Qt::CTRL | Qt::Key_Q);
    for (QAction* action : {mnuPrint, mnuHelp})
        addAction(action);  // items of the bar itself: their shortcuts need the window
    const std::pair<QAction*, const char*> names[] = {
        {mnuOpen, "mnuOpen"},         {mnuFileBar1, "mnuFileBar1"}, {mnuSave, "mnuSave"},   {mnuSaveAs, "mnuSaveAs"},
        {mnuFileBar2, "mnuFileBar2"}, {mnuExit, "mnuExit"},         {mnuPrint, "mnuPrint"}, {mnuClassic, "mnuClassic"},
        {mnuRefined, "mnuRefined"},   {mnuExact, "mnuExact"},       {mnuHelp, "mnuHelp"},   {mnuAbout, "mnuAbout"}};
    for (const auto& [action, name] : names)
        action->setObjectName(name);
}

void frmSlopekit::setTabOrder()
{
    std::vector<QWidget*> order{txtOrder, txtVarNams, txtEquation, cboConstants};
    order.insert(order.end(), txtVarx.begin(), txtVarx.end());
    order.insert(order.end(), {cmdCompute, lstDerVal, cmdRemCons, cmdAddCons});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmSlopekit::connectHandlers()
{
    connect(mnuOpen, &QAction::triggered, this, &frmSlopekit::mnuOpen_Click);
    connect(mnuSave, &QAction::triggered, this, &frmSlopekit::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &frmSlopekit::mnuSaveAs_Click);
    connect(mnuPrint, &QAction::triggered, this, &frmSlopekit::mnuPrint_Click);
    for (QAction* view : {mnuClassic, mnuRefined, mnuExact})
        connect(view, &QAction::triggered, this, &frmSlopekit::mnuView_Click);
    connect(mnuHelp, &QAction::triggered, this, &frmSlopekit::mnuHelp_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmSlopekit::mnuAbout_Click);
    connect(cmdCompute, &QPushButton::clicked, this, &frmSlopekit::cmdCompute_Click);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    // Compute from anywhere in the window: the focus moves to the button first, so the box
    // it leaves is checked as a click would check it, and a refused entry keeps it.
    auto* compute = new QAction(this);
    compute->setShortcuts({Qt::Key_F5, Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter});
    addAction(compute);
    connect(compute, &QAction::triggered, this, [this] {
        cmdCompute->setFocus(Qt::ShortcutFocusReason);
        if (cmdCompute->hasFocus())
            cmdCompute->click();
    });
    connect(cmdAddCons, &QPushButton::clicked, this, &frmSlopekit::cmdAddCons_Click);
    connect(cmdRemCons, &QPushButton::clicked, this, &frmSlopekit::cmdRemCons_Click);
    connect(cboConstants->lineEdit(), &QLineEdit::returnPressed, this, [this] { cboConstants_KeyPress(13); });
    // Typing changes the box; choosing an item of the list does not.
    connect(cboConstants->lineEdit(), &QLineEdit::textEdited, this, &frmSlopekit::cboConstants_Change);
    connect(txtEquation, &QLineEdit::textChanged, this, &frmSlopekit::txtEquation_Change);
    // Told after the refused edit has ended, so the box is not in the middle of one.
    connect(txtEquation, &QLineEdit::inputRejected, this, &frmSlopekit::txtEquation_TooLong, Qt::QueuedConnection);
    // Enter in the count and names boxes moves on as Tab does, through the same check.
    for (QLineEdit* box : {txtOrder, txtVarNams})
        connect(box, &QLineEdit::returnPressed, box, [box] {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &tab);
        });
}

// Validate, LostFocus and GotFocus of the entry boxes.
void frmSlopekit::guardEntries()
{
    const auto validator = [this](void (frmSlopekit::*check)(bool&)) {
        return [this, check] {
            bool cancel = false;
            (this->*check)(cancel);
            return !cancel;
        };
    };
    m_focusGuard = new FocusGuard(this);
    m_focusGuard->guard(txtOrder, {validator(&frmSlopekit::txtOrder_Validate), [this] { txtOrder_LostFocus(); },
                                   [this] { txtOrder_GotFocus(); }});
    m_focusGuard->guard(txtVarNams, {validator(&frmSlopekit::txtVarNams_Validate), [this] { txtVarNams_LostFocus(); },
                                     [this] { txtVarNams_GotFocus(); }});
    m_focusGuard->guard(txtEquation,
                        {validator(&frmSlopekit::txtEquation_Validate), nullptr, [this] { txtEquation_GotFocus(); }});
    for (int i = 0; i < PointBoxes; ++i)
        m_focusGuard->guard(txtVarx[i], {nullptr, nullptr, [this, i] { txtVarx_GotFocus(i); }});
}

}  // namespace slopekit
