#include <QSignalSpy>
#include <QTest>

#include "flexbutton.h"
#include "key_positions.h"
#include "test_classes.h"

using namespace ordelix;

// KeyDown carries the platform's virtual key codes (the US keyboard's), so that a host can tell
// every key apart. Expected codes are those of the platform's key code table.
class KeyCodesTest : public QObject {
  Q_OBJECT

 private slots:
  void keyDownCarriesTheKeysCode_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("code");
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    QTest::addRow("period") << int(Qt::Key_Period) << none << 190;
    QTest::addRow("comma") << int(Qt::Key_Comma) << none << 188;
    QTest::addRow("minus") << int(Qt::Key_Minus) << none << 189;
    QTest::addRow("equals") << int(Qt::Key_Equal) << none << 187;
    QTest::addRow("semicolon") << int(Qt::Key_Semicolon) << none << 186;
    QTest::addRow("slash") << int(Qt::Key_Slash) << none << 191;
    QTest::addRow("grave accent") << int(Qt::Key_QuoteLeft) << none << 192;
    QTest::addRow("left bracket") << int(Qt::Key_BracketLeft) << none << 219;
    QTest::addRow("backslash") << int(Qt::Key_Backslash) << none << 220;
    QTest::addRow("right bracket") << int(Qt::Key_BracketRight) << none << 221;
    QTest::addRow("apostrophe") << int(Qt::Key_Apostrophe) << none << 222;
    QTest::addRow("shifted: question mark on the slash key")
        << int(Qt::Key_Question) << shift << 191;
    QTest::addRow("shifted: exclamation mark on the 1 key") << int(Qt::Key_Exclam) << shift << 49;
    QTest::addRow("shifted: right parenthesis on the 0 key")
        << int(Qt::Key_ParenRight) << shift << 48;
    QTest::addRow("letter") << int(Qt::Key_Q) << none << 81;
    QTest::addRow("digit") << int(Qt::Key_7) << none << 55;
    QTest::addRow("keypad 0") << int(Qt::Key_0) << keypad << 96;
    QTest::addRow("keypad 5") << int(Qt::Key_5) << keypad << 101;
    QTest::addRow("keypad 9") << int(Qt::Key_9) << keypad << 105;
    QTest::addRow("keypad multiply") << int(Qt::Key_Asterisk) << keypad << 106;
    QTest::addRow("keypad add") << int(Qt::Key_Plus) << keypad << 107;
    QTest::addRow("keypad subtract") << int(Qt::Key_Minus) << keypad << 109;
    QTest::addRow("keypad decimal point") << int(Qt::Key_Period) << keypad << 110;
    QTest::addRow("keypad decimal comma") << int(Qt::Key_Comma) << keypad << 110;
    QTest::addRow("keypad divide") << int(Qt::Key_Slash) << keypad << 111;
    QTest::addRow("keypad 5 without Num Lock") << int(Qt::Key_Clear) << keypad << 12;
    QTest::addRow("keypad 7 without Num Lock") << int(Qt::Key_Home) << keypad << 36;
    QTest::addRow("F5") << int(Qt::Key_F5) << none << 116;
    QTest::addRow("F24") << int(Qt::Key_F24) << none << 135;
    QTest::addRow("context menu") << int(Qt::Key_Menu) << none << 93;
    QTest::addRow("print screen") << int(Qt::Key_Print) << none << 44;
    QTest::addRow("Num Lock") << int(Qt::Key_NumLock) << none << 144;
    QTest::addRow("Scroll Lock") << int(Qt::Key_ScrollLock) << none << 145;
    QTest::addRow("Escape") << int(Qt::Key_Escape) << none << 27;
    QTest::addRow("Delete") << int(Qt::Key_Delete) << none << 46;
  }

  void keyDownCarriesTheKeysCode() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, code);
    QWidget host;
    auto* button = new FlexButton(&host);
    host.show();
    host.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    button->setFocus();
    QSignalSpy downs(button, &FlexButton::KeyDown);
    QTest::keyPress(host.windowHandle(), static_cast<Qt::Key>(key), modifiers);
    QVERIFY(!downs.isEmpty());  // a shifted key comes after the Shift key's own KeyDown
    QCOMPARE(downs.constLast().at(0).value<qint16>(), qint16(code));
  }

  // A letter of a non-Latin layout is named by the key it sits on. Positions are X11 key
  // numbers, the kernel's input codes plus 8.
  void keysByTheirPosition() {
    QCOMPARE(key_code_at_position(30 + 8), qint16('A'));  // KEY_A
    QCOMPARE(key_code_at_position(16 + 8), qint16('Q'));  // KEY_Q
    QCOMPARE(key_code_at_position(50 + 8), qint16('M'));  // KEY_M
    QCOMPARE(key_code_at_position(11 + 8), qint16('0'));  // KEY_0
    QCOMPARE(key_code_at_position(12 + 8), qint16(189));  // KEY_MINUS
    QCOMPARE(key_code_at_position(26 + 8), qint16(219));  // KEY_LEFTBRACE
    QCOMPARE(key_code_at_position(41 + 8), qint16(192));  // KEY_GRAVE
    QCOMPARE(key_code_at_position(43 + 8), qint16(220));  // KEY_BACKSLASH
    QCOMPARE(key_code_at_position(52 + 8), qint16(190));  // KEY_DOT
    QCOMPARE(key_code_at_position(53 + 8), qint16(191));  // KEY_SLASH
    QCOMPARE(key_code_at_position(86 + 8), qint16(226));  // KEY_102ND
    QCOMPARE(key_code_at_position(14 + 8), qint16(0));    // KEY_BACKSPACE: named by Qt
    QCOMPARE(key_code_at_position(42 + 8), qint16(0));    // KEY_LEFTSHIFT
    QCOMPARE(key_code_at_position(0), qint16(0));
  }
};

FLEXBUTTON_TEST_CLASS(KeyCodesTest)
#include "key_codes_test.moc"
