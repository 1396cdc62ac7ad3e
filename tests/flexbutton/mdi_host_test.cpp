#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "flexbutton.h"
#include "test_classes.h"

using namespace ordelix;

// In a frame with several child windows the control's host window is its own child window:
// active only while that child is the frame's active one and the frame is active.
class MdiHostTest : public QObject {
  Q_OBJECT

  struct Frame {
    QMdiArea area;
    QMdiSubWindow* first = nullptr;
    QMdiSubWindow* second = nullptr;
    FlexButton* first_button = nullptr;
    FlexButton* second_button = nullptr;

    Frame() {
      first_button = new FlexButton;
      first_button->setDisplayAsDefault(true);
      second_button = new FlexButton;
      second_button->setDisplayAsDefault(true);
      first = area.addSubWindow(child_with(first_button));
      second = area.addSubWindow(child_with(second_button));
      area.resize(500, 400);
    }

    static QWidget* child_with(FlexButton* button) {
      auto* child = new QWidget;
      child->resize(200, 100);
      button->setParent(child);
      button->setGeometry(10, 10, 120, 40);
      return child;
    }

    QList<bool> active() const {
      return {first_button->inputFlags().parent_active, second_button->inputFlags().parent_active};
    }
  };

 private slots:
  void onlyTheActiveChildsControlCountsItsHostActive() {
    Frame frame;
    frame.area.show();
    frame.area.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame.area));
    frame.area.setActiveSubWindow(frame.first);
    QTRY_COMPARE(frame.active(), QList<bool>({true, false}));
    frame.area.setActiveSubWindow(frame.second);
    QTRY_COMPARE(frame.active(), QList<bool>({false, true}));

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QCOMPARE(frame.active(), QList<bool>({false, false}));
    frame.area.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame.area));
    QTRY_COMPARE(frame.active(), QList<bool>({false, true}));
  }

  // The focus and default looks follow: the inactive child's control draws as a plain button.
  void theInactiveChildsControlDrawsWithoutItsDefaultLook() {
    Frame frame;
    frame.first_button->setButtonStyle(14);  // draws its default look only while active
    frame.second_button->setButtonStyle(14);
    frame.area.show();
    frame.area.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame.area));
    frame.area.setActiveSubWindow(frame.second);
    QTRY_COMPARE(frame.active(), QList<bool>({false, true}));
    FlexButton plain;
    plain.setButtonStyle(14);
    plain.resize(120, 40);
    QCOMPARE(frame.first_button->grab().toImage(), plain.grab().toImage());
    QVERIFY(frame.second_button->grab().toImage() != plain.grab().toImage());
  }
};

FLEXBUTTON_TEST_CLASS(MdiHostTest)
#include "mdi_host_test.moc"
