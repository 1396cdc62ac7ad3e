#include "button_description.h"

#include <QFile>

#include "flexbutton.h"
#include "property_bag.h"

namespace ordelix {

FlexButton* add_window_button(QWidget* parent, const char* name, QRect geometry) {
  QFile stored(QString(":/window/%1.txt").arg(name));
  QString description;
  if (stored.open(QIODevice::ReadOnly)) description = QString::fromUtf8(stored.readAll());
  auto* button = new FlexButton(parent);
  button->setObjectName(name);
  button->readProperties(PropertyBag(description));
  button->setGeometry(geometry);
  return button;
}

}  // namespace ordelix
