#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "flexbutton.h"
#include "property_bag.h"
#include "test_classes.h"

using namespace ordelix;

namespace {

// One input and what the control must make of it. The input is a line of words:
//   move X Y | press B X Y [MODS] | release B X Y [MODS] | dclick B X Y   (B: left or right)
//   keydown K [MODS] | keyup K [MODS] | repeat K | tab | backtab | deactivate | activate
// with X and Y on the control, K a key name, MODS any of shift ctrl alt. `flags` names the set
// flags: over down focus space active default, and checked for Value.
struct Step {
  QString input;
  QStringList events;
  int draw_state;
  QString flags;
  QString focus_at = {};  // object name of the focus widget afterwards, when it matters
};
using Steps = QList<Step>;

// The control in a window of its own, between two line edits that take the focus around it.
constexpr QPoint button_at(100, 40);
const QSize button_size(120, 40);

Qt::Key key_named(const QString& name) {
  static const QHash<QString, Qt::Key> keys{
      {"space", Qt::Key_Space}, {"enter", Qt::Key_Return}, {"escape", Qt::Key_Escape},
      {"left", Qt::Key_Left},   {"up", Qt::Key_Up},        {"right", Qt::Key_Right},
      {"down", Qt::Key_Down},   {"a", Qt::Key_A},          {"g", Qt::Key_G}};
  return keys.value(name);
}

Qt::KeyboardModifiers modifiers_named(const QStringList& words) {
  Qt::KeyboardModifiers modifiers;
  if (words.contains("shift")) modifiers |= Qt::ShiftModifier;
  if (words.contains("ctrl")) modifiers |= Qt::ControlModifier;
  if (words.contains("alt")) modifiers |= Qt::AltModifier;
  return modifiers;
}

QString flags_text(const InputFlags& flags, bool checked) {
  QStringList names;
  if (flags.mouse_over) names << "over";
  if (flags.mouse_down) names << "down";
  if (flags.focus) names << "focus";
  if (flags.space_key) names << "space";
  if (flags.parent_active) names << "active";
  if (flags.default_look) names << "default";
  if (checked) names << "checked";
  return names.join(' ');
}

QString point_text(float x, float y) {
  return QString::number(x) + ',' + QString::number(y);
}

// The draw state of the control's last paint.
struct PaintedStates : QObject {
  explicit PaintedStates(FlexButton* button) : button_(button) { button->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) last = button_->drawState();
    return false;
  }
  FlexButton* button_;
  int last = -1;
};

}  // namespace

Q_DECLARE_METATYPE(Steps)

class InputTest : public QObject {
  Q_OBJECT

 private:
  QWidget* host_ = nullptr;
  QWidget* elsewhere_ = nullptr;
  FlexButton* button_ = nullptr;
  QStringList raised_;

  void record(FlexButton* button) {
    auto plain = [this](const char* name) { return [this, name] { raised_ << name; }; };
    auto mouse = [this](const char* name) {
      return [this, name](qint16 b, qint16 s, float x, float y) {
        raised_ << QString("%1(%2,%3,%4)").arg(name).arg(b).arg(s).arg(point_text(x, y));
      };
    };
    auto key = [this](const char* name) {
      return [this, name](qint16 code, qint16 s) {
        raised_ << QString("%1(%2,%3)").arg(name).arg(code).arg(s);
      };
    };
    connect(button, &FlexButton::Click, this, plain("Click"));
    connect(button, &FlexButton::DblClick, this, plain("DblClick"));
    connect(button, &FlexButton::MouseEnter, this, plain("MouseEnter"));
    connect(button, &FlexButton::MouseLeave, this, plain("MouseLeave"));
    connect(button, &FlexButton::MouseMove, this, mouse("MouseMove"));
    connect(button, &FlexButton::MouseUp, this, mouse("MouseUp"));
    connect(button, &FlexButton::MouseDown, this, mouse("MouseDown"));
    connect(button, &FlexButton::KeyDown, this, key("KeyDown"));
    connect(button, &FlexButton::KeyUp, this, key("KeyUp"));
  }

  static void activate(QWidget* window) {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
  }

  void perform(const QString& input) {
    const QStringList words = input.split(' ');
    QWindow* window = host_->windowHandle();
    const QString& verb = words[0];
    if (verb == "tab" || verb == "backtab") {
      QTest::keyClick(window, verb == "tab" ? Qt::Key_Tab : Qt::Key_Backtab);
    } else if (verb == "deactivate") {
      activate(elsewhere_);
    } else if (verb == "activate") {
      activate(host_);
    } else if (verb == "keydown") {
      QTest::keyPress(window, key_named(words[1]), modifiers_named(words));
    } else if (verb == "keyup") {
      QTest::keyRelease(window, key_named(words[1]), modifiers_named(words));
    } else if (verb == "repeat") {
      // What a held key sends while it repeats: a release and a press, both marked so.
      const Qt::Key key = key_named(words[1]);
      const QString typed(QLatin1Char(QTest::keyToAscii(key)));
      QTest::simulateEvent(window, false, key, {}, typed, true);
      QTest::simulateEvent(window, true, key, {}, typed, true);
    } else {
      const int x = verb == "move" ? 1 : 2;
      const QPoint at = button_at + QPoint(words[x].toInt(), words[x + 1].toInt());
      const Qt::MouseButton mouse_button = words[1] == "right" ? Qt::RightButton : Qt::LeftButton;
      if (verb == "move") QTest::mouseMove(window, at);
      if (verb == "press") QTest::mousePress(window, mouse_button, modifiers_named(words), at);
      if (verb == "release") QTest::mouseRelease(window, mouse_button, modifiers_named(words), at);
      if (verb == "dclick") QTest::mouseDClick(window, mouse_button, {}, at);
    }
  }

  void addColumns() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<Steps>("steps");
  }

  // Every row starts with the host window active, the focus on the line edit before the
  // control and the pointer away from it.
  void run() {
    QFETCH(QString, setup);
    QFETCH(Steps, steps);
    host_ = new QWidget;
    host_->resize(400, 160);
    auto* before = new QLineEdit(host_);
    before->setObjectName("before");
    before->setGeometry(10, 10, 60, 20);
    button_ = new FlexButton(host_);
    button_->setObjectName("button");
    button_->readProperties(PropertyBag(u"ButtonStyle = 0\nCaption = \"&Go\"\n"));
    button_->setGeometry(QRect(button_at, button_size));
    auto* after = new QLineEdit(host_);
    after->setObjectName("after");
    after->setGeometry(10, 120, 60, 20);
    button_->setCheckBoxMode(setup.contains("checkbox"));
    button_->setDisplayAsDefault(setup.contains("default"));
    button_->setEnabled(!setup.contains("disabled"));
    elsewhere_ = new QWidget;
    elsewhere_->setGeometry(500, 0, 50, 50);
    elsewhere_->show();
    host_->show();
    activate(host_);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(QApplication::focusWidget(), before);
    // Somewhere no row goes: a move to where the pointer already is would be dropped.
    QTest::mouseMove(host_->windowHandle(), QPoint(390, 150));
    record(button_);

    for (const Step& step : steps) {
      raised_.clear();
      perform(step.input);
      if (QTest::currentTestFailed()) return;
      QCOMPARE(raised_, step.events);
      QCOMPARE(button_->drawState(), step.draw_state);
      QCOMPARE(flags_text(button_->inputFlags(), button_->Value()), step.flags);
      if (!step.focus_at.isEmpty())
        QCOMPARE(QApplication::focusWidget()->objectName(), step.focus_at);
    }
  }

 private slots:
  void cleanup() {
    delete host_;
    delete elsewhere_;
    host_ = elsewhere_ = nullptr;
    button_ = nullptr;
  }

  void mouse_data() {
    addColumns();
    QTest::addRow("a click inside shows pressed, hot again before Click, then MouseUp")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"press left 60 20", {"MouseDown(1,0,60,20)"}, 2, "over down focus active"},
                 {"release left 60 20", {"Click", "MouseUp(1,0,60,20)"}, 1, "over focus active"},
                 {"move 61 20", {"MouseMove(0,0,61,20)"}, 1, "over focus active"}};
    QTest::addRow("dragged off: no Click on release outside, hot again on return")
        << QString()
        << Steps{
               {"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
               {"press left 60 20", {"MouseDown(1,0,60,20)"}, 2, "over down focus active"},
               {"move 200 20", {"MouseLeave", "MouseMove(1,0,200,20)"}, 0, "down focus active"},
               {"move 60 21", {"MouseEnter", "MouseMove(1,0,60,21)"}, 2, "over down focus active"},
               {"move 60 -10", {"MouseLeave", "MouseMove(1,0,60,-10)"}, 0, "down focus active"},
               {"release left 60 -10", {"MouseUp(1,0,60,-10)"}, 0, "focus active"},
               {"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over focus active"}};
    QTest::addRow("a release on the left or top edge is not inside")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"press left 60 20", {"MouseDown(1,0,60,20)"}, 2, "over down focus active"},
                 {"move 0 20", {"MouseMove(1,0,0,20)"}, 2, "over down focus active"},
                 {"release left 0 20", {"MouseUp(1,0,0,20)"}, 1, "over focus active"},
                 {"press left 0 20", {"MouseDown(1,0,0,20)"}, 2, "over down focus active"},
                 {"move 60 0", {"MouseMove(1,0,60,0)"}, 2, "over down focus active"},
                 {"release left 60 0", {"MouseUp(1,0,60,0)"}, 1, "over focus active"},
                 {"press left 60 0", {"MouseDown(1,0,60,0)"}, 2, "over down focus active"},
                 {"move 119 39", {"MouseMove(1,0,119,39)"}, 2, "over down focus active"},
                 {"release left 119 39", {"Click", "MouseUp(1,0,119,39)"}, 1, "over focus active"}};
    QTest::addRow("the right button neither presses nor clicks")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"press right 60 20", {}, 1, "over focus active"},
                 {"release right 60 20", {"MouseUp(2,0,60,20)"}, 1, "over focus active"}};
    QTest::addRow("Shift and Ctrl reach the mouse events as 1 + 2")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"press left 60 20 shift ctrl",
                  {"MouseDown(1,3,60,20)"},
                  2,
                  "over down focus active"},
                 {"release left 60 20 shift",
                  {"Click", "MouseUp(1,1,60,20)"},
                  1,
                  "over focus active"}};
    QTest::addRow("entering and leaving without a button")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"move 10 5", {"MouseMove(0,0,10,5)"}, 1, "over active"},
                 {"move 200 20", {"MouseLeave"}, 0, "active"}};
    QTest::addRow("a disabled control neither hovers nor clicks")
        << QString("disabled")
        << Steps{{"move 60 20", {}, 0, "active"},
                 {"press left 60 20", {}, 0, "active"},
                 {"release left 60 20", {}, 0, "active"}};
  }
  void mouse() { run(); }

  void doubleClick_data() {
    addColumns();
    QTest::addRow("MouseDown once before DblClick, the second release clicks again")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"dclick left 60 20",
                  {"MouseDown(1,0,60,20)", "Click", "MouseUp(1,0,60,20)", "MouseDown(1,0,60,20)",
                   "DblClick", "Click", "MouseUp(1,0,60,20)"},
                  1,
                  "over focus active"}};
    QTest::addRow("a right double click raises no DblClick")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"dclick right 60 20",
                  {"MouseUp(2,0,60,20)", "MouseUp(2,0,60,20)"},
                  1,
                  "over focus active"}};
  }
  void doubleClick() { run(); }

  void spaceBar_data() {
    addColumns();
    QTest::addRow("hovering: pressed while down, Click then KeyUp on release, hot after")
        << QString()
        << Steps{{"tab", {}, 0, "focus active", "button"},
                 {"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over focus active"},
                 {"keydown space", {"KeyDown(32,0)"}, 2, "over focus space active"},
                 {"keyup space", {"Click", "KeyUp(32,0)"}, 1, "over focus active"}};
    QTest::addRow("pointer outside: normal after the click")
        << QString()
        << Steps{{"tab", {}, 0, "focus active"},
                 {"keydown space", {"KeyDown(32,0)"}, 2, "focus space active"},
                 {"keyup space", {"Click", "KeyUp(32,0)"}, 0, "focus active"}};
    QTest::addRow("leaving while it is held keeps the pressed look; the release outside clicks")
        << QString()
        << Steps{
               {"tab", {}, 0, "focus active"},
               {"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over focus active"},
               {"keydown space", {"KeyDown(32,0)"}, 2, "over focus space active"},
               {"move 200 20", {"MouseLeave", "MouseMove(0,0,200,20)"}, 2, "focus space active"},
               {"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 2, "over focus space active"},
               {"move 200 20", {"MouseLeave", "MouseMove(0,0,200,20)"}, 2, "focus space active"},
               {"keyup space", {"Click", "KeyUp(32,0)"}, 0, "focus active"}};
    QTest::addRow("pressed with the left button held: no Click from the space bar")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"press left 60 20", {"MouseDown(1,0,60,20)"}, 2, "over down focus active"},
                 {"keydown space", {"KeyDown(32,0)"}, 2, "over down focus active"},
                 {"keyup space", {"KeyUp(32,0)"}, 2, "over focus active"},
                 {"release left 60 20", {"Click", "MouseUp(1,0,60,20)"}, 1, "over focus active"}};
    QTest::addRow("a held, repeating space bar clicks once")
        << QString()
        << Steps{{"tab", {}, 0, "focus active"},
                 {"keydown space", {"KeyDown(32,0)"}, 2, "focus space active"},
                 {"repeat space", {"KeyDown(32,0)"}, 2, "focus space active"},
                 {"repeat space", {"KeyDown(32,0)"}, 2, "focus space active"},
                 {"keyup space", {"Click", "KeyUp(32,0)"}, 0, "focus active"}};
    QTest::addRow("Alt+Space: only the Alt key's own KeyDown, no pressed look, no Click")
        << QString()
        << Steps{{"tab", {}, 0, "focus active"},
                 {"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over focus active"},
                 {"keydown space alt", {"KeyDown(18,4)"}, 1, "over focus active"},
                 {"keyup space alt", {}, 1, "over focus active"}};
    QTest::addRow("focus lost while held: the press ends without a Click")
        << QString()
        << Steps{{"tab", {}, 0, "focus active"},
                 {"keydown space", {"KeyDown(32,0)"}, 2, "focus space active"},
                 {"tab", {}, 0, "active", "after"},
                 {"keyup space", {}, 0, "active"}};
  }
  void spaceBar() { run(); }

  void arrows_data() {
    addColumns();
    QTest::addRow("Right and Down move the focus on, Left and Up back, each after KeyDown")
        << QString()
        << Steps{{"tab", {}, 0, "focus active", "button"},
                 {"keydown right", {"KeyDown(39,0)"}, 0, "active", "after"},
                 {"backtab", {}, 0, "focus active", "button"},
                 {"keydown left", {"KeyDown(37,0)"}, 0, "active", "before"},
                 {"tab", {}, 0, "focus active", "button"},
                 {"keydown down", {"KeyDown(40,0)"}, 0, "active", "after"},
                 {"backtab", {}, 0, "focus active", "button"},
                 {"keydown up", {"KeyDown(38,0)"}, 0, "active", "before"}};
  }
  void arrows() { run(); }

  void otherKeys_data() {
    addColumns();
    QTest::addRow("Enter clicks before its KeyDown, with no pressed look")
        << QString()
        << Steps{{"tab", {}, 0, "focus active"},
                 {"keydown enter", {"Click", "KeyDown(13,0)"}, 0, "focus active"},
                 {"keyup enter", {}, 0, "focus active"}};
    QTest::addRow("other keys raise KeyDown only, with their modifiers")
        << QString()
        << Steps{{"tab", {}, 0, "focus active"},
                 {"keydown a shift", {"KeyDown(16,1)", "KeyDown(65,1)"}, 0, "focus active"},
                 {"keyup a shift", {}, 0, "focus active"},
                 {"keydown escape", {"KeyDown(27,0)"}, 0, "focus active"}};
  }
  void otherKeys() { run(); }

  void accessKey_data() {
    addColumns();
    QTest::addRow("Alt+G clicks without the focus")
        << QString()
        << Steps{{"keydown g alt", {"Click"}, 0, "active", "before"},
                 {"keyup g alt", {}, 0, "active"}};
    QTest::addRow("Alt+G while the space bar is held ends the press: one Click only")
        << QString()
        << Steps{{"tab", {}, 0, "focus active"},
                 {"keydown space", {"KeyDown(32,0)"}, 2, "focus space active"},
                 {"keydown g alt", {"KeyDown(18,4)", "Click"}, 2, "focus active"},
                 {"keyup g alt", {}, 2, "focus active"},
                 {"keyup space", {}, 2, "focus active"}};
    QTest::addRow("a disabled control ignores its access key")
        << QString("disabled") << Steps{{"keydown g alt", {}, 0, "active"}};
    QTest::addRow("Enter in the window presses the default button")
        << QString("default") << Steps{{"keydown enter", {"Click"}, 0, "active default", "before"}};
    QTest::addRow("with the focus the default button takes Enter as a key")
        << QString("default")
        << Steps{{"tab", {}, 0, "focus active default"},
                 {"keydown enter", {"Click", "KeyDown(13,0)"}, 0, "focus active default"}};
  }
  void accessKey() { run(); }

  void focus_data() {
    addColumns();
    QTest::addRow("gained while hovering: hot; lost while hovering in an active host: hot")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"tab", {}, 1, "over focus active"},
                 {"tab", {}, 1, "over active", "after"}};
    QTest::addRow("lost with the left button held: its release outside only raises MouseUp")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"press left 60 20", {"MouseDown(1,0,60,20)"}, 2, "over down focus active"},
                 {"move 200 20", {"MouseLeave", "MouseMove(1,0,200,20)"}, 0, "down focus active"},
                 {"backtab", {}, 0, "active", "before"},
                 {"release left 200 20", {"MouseUp(1,0,200,20)"}, 0, "active"}};
  }
  void focus() { run(); }

  void hostActivation_data() {
    addColumns();
    QTest::addRow("deactivation ends a space press and the focus flag; activation returns it")
        << QString()
        << Steps{{"tab", {}, 0, "focus active"},
                 {"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over focus active"},
                 {"keydown space", {"KeyDown(32,0)"}, 2, "over focus space active"},
                 {"deactivate", {}, 0, "over"},
                 {"activate", {}, 1, "over focus active", "button"}};
    QTest::addRow("activation returns a hovered control to the normal look")
        << QString()
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"deactivate", {}, 0, "over"},
                 {"move 61 20", {"MouseMove(0,0,61,20)"}, 1, "over"},
                 {"activate", {}, 0, "over active", "before"}};
  }
  void hostActivation() { run(); }

  void checkBox_data() {
    addColumns();
    QTest::addRow("a click inside toggles before Click; a release outside does not")
        << QString("checkbox")
        << Steps{
               {"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
               {"press left 60 20", {"MouseDown(1,0,60,20)"}, 2, "over down focus active"},
               {"release left 60 20",
                {"Click", "MouseUp(1,0,60,20)"},
                1,
                "over focus active checked"},
               {"press left 60 20", {"MouseDown(1,0,60,20)"}, 2, "over down focus active checked"},
               {"move 200 20",
                {"MouseLeave", "MouseMove(1,0,200,20)"},
                0,
                "down focus active checked"},
               {"release left 200 20", {"MouseUp(1,0,200,20)"}, 0, "focus active checked"}};
    QTest::addRow("the space bar toggles once, on the release that clicks")
        << QString("checkbox")
        << Steps{{"tab", {}, 0, "focus active"},
                 {"keydown space", {"KeyDown(32,0)"}, 0, "focus space active"},
                 {"repeat space", {"KeyDown(32,0)"}, 0, "focus space active"},
                 {"keyup space", {"Click", "KeyUp(32,0)"}, 0, "focus active checked"}};
    QTest::addRow("no toggle from a space release that does not click")
        << QString("checkbox")
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"press left 60 20", {"MouseDown(1,0,60,20)"}, 2, "over down focus active"},
                 {"keydown space", {"KeyDown(32,0)"}, 2, "over down focus active"},
                 {"keyup space", {"KeyUp(32,0)"}, 2, "over focus active"},
                 {"release left 60 20",
                  {"Click", "MouseUp(1,0,60,20)"},
                  1,
                  "over focus active checked"}};
    QTest::addRow("the access key toggles; unchecking returns to the normal look")
        << QString("checkbox")
        << Steps{{"move 60 20", {"MouseEnter", "MouseMove(0,0,60,20)"}, 1, "over active"},
                 {"keydown g alt", {"Click"}, 1, "over active checked"},
                 {"keyup g alt", {}, 1, "over active checked"},
                 {"keydown g alt", {"Click"}, 0, "over active"}};
    QTest::addRow("Enter as a key clicks without toggling")
        << QString("checkbox")
        << Steps{{"tab", {}, 0, "focus active"},
                 {"keydown enter", {"Click", "KeyDown(13,0)"}, 0, "focus active"}};
    QTest::addRow("Enter as the default button's access key neither toggles nor clicks")
        << QString("checkbox default")
        << Steps{{"keydown enter", {}, 0, "active default", "before"}};
  }
  void checkBox() { run(); }

  void handPointerShowsTheHandOverTheControl() {
    FlexButton plain;
    FlexButton hand;
    hand.readProperties(PropertyBag(u"HandPointer = True\n"));
    QCOMPARE(hand.cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(plain.cursor().shape(), Qt::ArrowCursor);
  }

  // The space bar holds the mouse only while it is down on the control.
  void theSpaceBarHoldsTheMouseUntilItsPressEnds() {
    QWidget host;
    auto* button = new FlexButton(&host);
    auto* other = new QLineEdit(&host);
    other->move(0, 50);
    host.show();
    host.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    button->setFocus();
    QTest::keyPress(host.windowHandle(), Qt::Key_Space);
    QCOMPARE(QWidget::mouseGrabber(), button);
    QTest::keyRelease(host.windowHandle(), Qt::Key_Space);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QTest::keyPress(host.windowHandle(), Qt::Key_Space);
    other->setFocus();
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
  }

  // A Click handler that blocks (a dialog, a long conversion) must find the released look
  // already on screen: what was last painted before Click, for a mouse click and for the space
  // bar, is not the pressed state.
  void theReleasedLookIsPaintedBeforeClick() {
    QWidget host;
    auto* button = new FlexButton(&host);
    button->setGeometry(QRect(button_at, button_size));
    host.resize(400, 160);
    host.show();
    host.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    PaintedStates painted(button);
    QList<int> at_click;
    connect(button, &FlexButton::Click, this, [&] { at_click << painted.last; });
    QWindow* window = host.windowHandle();
    const QPoint middle = button_at + QPoint(60, 20);
    QTest::mouseMove(window, middle);
    QTest::mousePress(window, Qt::LeftButton, {}, middle);
    QTRY_COMPARE(painted.last, 2);
    QTest::mouseRelease(window, Qt::LeftButton, {}, middle);
    button->setFocus();
    QTest::keyPress(window, Qt::Key_Space);
    QTRY_COMPARE(painted.last, 2);
    QTest::keyRelease(window, Qt::Key_Space);
    QCOMPARE(at_click, QList<int>({1, 1}));
  }
};

FLEXBUTTON_TEST_CLASS(InputTest)
#include "input_test.moc"
