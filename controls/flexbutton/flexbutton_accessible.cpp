#include "flexbutton_accessible.h"

#include <QAccessibleWidget>
#include <QKeySequence>

#include "access_key.h"
#include "flexbutton.h"

namespace ordelix {

class FlexButtonAccessible : public QAccessibleWidget {
 public:
  explicit FlexButtonAccessible(FlexButton* button)
      : QAccessibleWidget(button, QAccessible::Button) {}

  QAccessible::Role role() const override {
    return button()->CheckBoxMode() ? QAccessible::CheckBox : QAccessible::Button;
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return caption_text(button()->Caption());
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State current = QAccessibleWidget::state();
    current.pressed = button()->drawState() == 2;
    if (button()->CheckBoxMode()) {
      current.checkable = true;
      current.checked = button()->Value();
    }
    return current;
  }

  QStringList actionNames() const override {
    QStringList names{pressAction()};
    if (button()->CheckBoxMode()) names.append(toggleAction());
    return names;
  }

  void doAction(const QString& name) override {
    if (actionNames().contains(name)) button()->access_key_pressed(0);
  }

  QStringList keyBindingsForAction(const QString& name) const override {
    const std::optional<QChar> key = access_key(button()->Caption());
    if (name != pressAction() || !key) return {};
    const auto qt_key = static_cast<Qt::Key>(key->toUpper().unicode());
    return {QKeySequence(QKeyCombination(Qt::AltModifier, qt_key)).toString()};
  }

 private:
  FlexButton* button() const { return static_cast<FlexButton*>(widget()); }
};

namespace {

QAccessibleInterface* accessible_for(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(FlexButton::staticMetaObject.className())) return nullptr;
  return new FlexButtonAccessible(static_cast<FlexButton*>(object));
}

}  // namespace

void register_flexbutton_accessibility() {
  static const bool registered = [] {
    QAccessible::installFactory(accessible_for);
    return true;
  }();
  Q_UNUSED(registered);
}

}  // namespace ordelix
