#include <QApplication>
#include <QFile>
#include <QTextBrowser>

#include "toolkit/qt_text.h"
#include "toolkit/toolkit.h"
#include "toolkit/windows.h"

namespace toolkit {

void whelpfile1(std::string_view helpFile) {
  detail::Windows& s = detail::windows();
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  if (!s.helpViewer) {
    detail::presentAsKandelor();
    s.helpViewer = new QTextBrowser;
    s.helpViewer->setAttribute(Qt::WA_DeleteOnClose, false);
    s.helpViewer->resize(640, 480);
  }
  QTextBrowser* viewer = s.helpViewer;
  const QString name = detail::toQString(helpFile).trimmed();
  viewer->setWindowTitle(name);
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    viewer->setPlainText(QStringLiteral("The help file \"%1\" could not be opened.").arg(name));
  } else {
    const QString text = QString::fromUtf8(file.readAll());
    if (text.trimmed().startsWith(u'<')) {
      viewer->setHtml(text);
    } else {
      viewer->setPlainText(text);
    }
  }
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
}

}  // namespace toolkit
