#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include "access_key.h"
#include "flexbutton.h"
#include "test_classes.h"

using namespace ordelix;

class AccessibleTest : public QObject {
  Q_OBJECT

 private:
  static QAccessibleInterface* accessible(FlexButton& button) {
    return QAccessible::queryAccessibleInterface(&button);
  }

 private slots:
  void captionReadsWithoutItsMarkers() {
    QCOMPARE(caption_text(u"&Browse"), QString("Browse"));
    QCOMPARE(caption_text(u"A&&B&c"), QString("A&Bc"));
    QCOMPARE(caption_text(u"Save&"), QString("Save"));
    QCOMPARE(caption_text(u"&&&&"), QString("&&"));
  }

  void aPushButtonNamedByItsCaption() {
    FlexButton button;
    button.setCaption("&Browse");
    QAccessibleInterface* face = accessible(button);
    QVERIFY(face);
    QCOMPARE(face->role(), QAccessible::Button);
    QCOMPARE(face->text(QAccessible::Name), QString("Browse"));
    QVERIFY(!face->state().checkable);
    QVERIFY(face->actionInterface());
    QCOMPARE(face->actionInterface()->actionNames(),
             QStringList{QAccessibleActionInterface::pressAction()});
    QCOMPARE(
        face->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
        QStringList{"Alt+B"});
    QVERIFY(!face->state().pressed);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(face->state().pressed);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(500, 5));
    button.setAccessibleName("Choose a file");
    QCOMPARE(face->text(QAccessible::Name), QString("Choose a file"));
  }

  void pressingClicks() {
    FlexButton button;
    QSignalSpy clicks(&button, &FlexButton::Click);
    accessible(button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);
    accessible(button)->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(clicks.count(), 1);
    button.setEnabled(false);
    accessible(button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);
  }

  void aCheckBoxInCheckBoxMode() {
    FlexButton button;
    button.setCheckBoxMode(true);
    QAccessibleInterface* face = accessible(button);
    QCOMPARE(face->role(), QAccessible::CheckBox);
    QVERIFY(face->state().checkable);
    QVERIFY(!face->state().checked);
    QSignalSpy clicks(&button, &FlexButton::Click);
    face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(button.Value());
    QVERIFY(face->state().checked);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!button.Value());
    QCOMPARE(clicks.count(), 2);
  }
};

FLEXBUTTON_TEST_CLASS(AccessibleTest)
#include "accessible_test.moc"
