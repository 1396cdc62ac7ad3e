#include "gallery_window.h"

#include <vector>

#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gallery_buttons.h"

namespace ordelix {

GalleryWindow::GalleryWindow() {
  setWindowTitle("flexbutton gallery");
  auto* buttons = new QGridLayout;
  std::vector<FlexButton*> all;
  for (int style = 0; style < gallery_styles; ++style) {
    const int row = style % 9;
    const int column = style / 9 * 2;
    buttons->addWidget(new QLabel(style_label(style)), row, column);
    FlexButton* button = add_gallery_button(this, style);
    buttons->addWidget(button, row, column + 1);
    all.push_back(button);
  }

  auto* check_box_mode = new QCheckBox("Check-box mode");
  auto* value = new QCheckBox("Value");
  auto* enabled = new QCheckBox("Enabled");
  enabled->setChecked(true);
  auto* back_colour = new QPushButton("Back colour...");
  auto* style_colours = new QPushButton("Style colours");
  connect(check_box_mode, &QCheckBox::toggled, this, [all, value](bool on) {
    for (FlexButton* button : all) {
      button->setCheckBoxMode(on);
      button->setValue(value->isChecked());
    }
  });
  connect(value, &QCheckBox::toggled, this, [all](bool on) {
    for (FlexButton* button : all) button->setValue(on);
  });
  connect(enabled, &QCheckBox::toggled, this, [all](bool on) {
    for (FlexButton* button : all) button->setEnabled(on);
  });
  connect(back_colour, &QPushButton::clicked, this, [this, all] {
    const QColor chosen = QColorDialog::getColor(Qt::white, this, "Back colour");
    if (!chosen.isValid()) return;
    for (FlexButton* button : all) button->setBackColor(from_qcolor(chosen));
  });
  connect(style_colours, &QPushButton::clicked, this, [all] {
    for (FlexButton* button : all) button->setButtonStyle(button->ButtonStyle());
  });

  auto* switches = new QHBoxLayout;
  for (QWidget* control :
       std::initializer_list<QWidget*>{check_box_mode, value, enabled, back_colour, style_colours})
    switches->addWidget(control);
  switches->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addLayout(switches);
}

}  // namespace ordelix
