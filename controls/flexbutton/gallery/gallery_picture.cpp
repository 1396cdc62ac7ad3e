#include "gallery_picture.h"

#include <array>
#include <vector>

#include <QApplication>
#include <QDeadlineTimer>
#include <QEnterEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>

#include "gallery_buttons.h"

namespace ordelix {
namespace {

enum Look { Normal, Hot, Pressed, Checked, Disabled, Focus, looks };

constexpr std::array<const char*, looks> look_names{"normal",       "hot",      "pressed",
                                                    "check-box on", "disabled", "focus"};

void hover(FlexButton* button) {
  const QPointF centre = QRectF(button->rect()).center();
  QEnterEvent enter(centre, centre, button->mapToGlobal(centre));
  QApplication::sendEvent(button, &enter);
}

void press(FlexButton* button) {
  hover(button);
  const QPointF centre = QRectF(button->rect()).center();
  QMouseEvent down(QEvent::MouseButtonPress, centre, centre, button->mapToGlobal(centre),
                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(button, &down);
}

void show_look(FlexButton* button, Look look) {
  switch (look) {
    case Hot:
      hover(button);
      break;
    case Pressed:
      press(button);
      break;
    case Checked:
      button->setCheckBoxMode(true);
      button->setValue(true);
      break;
    case Disabled:
      button->setEnabled(false);
      break;
    default:
      break;
  }
}

bool wait_until_active(QWidget& window) {
  window.show();
  window.activateWindow();
  const QDeadlineTimer deadline(5000);
  while (!window.isActiveWindow() && !deadline.hasExpired())
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  return window.isActiveWindow();
}

}  // namespace

QString save_gallery_picture(const QString& path) {
  QWidget sheet;
  sheet.setFocusPolicy(Qt::StrongFocus);
  auto* grid = new QGridLayout(&sheet);
  grid->setHorizontalSpacing(16);
  for (int look = 0; look < looks; ++look)
    grid->addWidget(new QLabel(look_names[look]), 0, look + 1, Qt::AlignCenter);
  std::vector<FlexButton*> focus_column;
  std::vector<std::pair<FlexButton*, Look>> cells;
  for (int style = 0; style < gallery_styles; ++style) {
    grid->addWidget(new QLabel(style_label(style)), style + 1, 0);
    for (int look = 0; look < looks; ++look) {
      FlexButton* button = add_gallery_button(&sheet, style);
      grid->addWidget(button, style + 1, look + 1);
      cells.emplace_back(button, static_cast<Look>(look));
    }
  }
  // Activation resets the draw states, so the looks are set up once the window is active.
  if (!wait_until_active(sheet)) return "the window could not be activated";
  sheet.setFocus();
  for (const auto& [button, look] : cells) show_look(button, look);
  QApplication::processEvents();

  QImage picture = sheet.grab().toImage();
  QPainter painter(&picture);
  // One button holds the focus at a time: each focused one is drawn into its cell in turn.
  for (const auto& [button, look] : cells) {
    if (look != Focus) continue;
    button->setFocus();
    QApplication::processEvents();
    painter.drawPixmap(button->geometry().topLeft() * picture.devicePixelRatio(),
                       sheet.grab(button->geometry()));
  }
  painter.end();

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (!picture.save(&file, "PNG")) return "the picture could not be encoded";
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace ordelix
