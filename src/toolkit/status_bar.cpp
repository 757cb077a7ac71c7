#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include "toolkit/qt_text.h"
#include "toolkit/toolkit.h"
#include "toolkit/windows.h"

namespace toolkit {

void windowstatusbarparts(std::span<const int> widths) {
  detail::Windows& s = detail::windows();
  if (!s.statusBar || !s.main || widths.empty() || widths.size() > 255) return;
  for (const auto& part : s.statusParts) delete part.data();
  s.statusParts.clear();
  const int clientWidth = s.main->width();
  for (const int width : widths) {
    auto* label = new QLabel(s.statusBar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // File names and other texts are shown as they are, never as markup.
    label->setTextFormat(Qt::PlainText);
    if (width < 0) {
      s.statusBar->addWidget(label, 1);  // to the right edge
    } else {
      // Each part starts where the previous one ends, so only its width is set.
      label->setFixedWidth(
          static_cast<int>(static_cast<long long>(std::min(width, 9999)) * clientWidth / 10000));
      s.statusBar->addWidget(label);
    }
    s.statusParts.emplace_back(label);
  }
}

void windowoutstatusbar(int part, std::string_view text) {
  detail::Windows& s = detail::windows();
  if (part < 1 || part > static_cast<int>(s.statusParts.size())) return;
  QLabel* label = s.statusParts[static_cast<std::size_t>(part - 1)];
  if (label == nullptr) return;
  text = detail::withoutTrailingBlanks(text);
  const bool centred = !text.empty() && text.front() == '\t';
  if (centred) text.remove_prefix(1);
  label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
  label->setText(detail::toQString(text));
}

}  // namespace toolkit
