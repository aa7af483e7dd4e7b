#include "ui/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kivp::ui {

namespace {
const char* const kHelpResource = ":/help/kivp-help.html";
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setObjectName("HelpWindow");
    setWindowTitle("KIV Playoff Mode Help");
    m_browser->setObjectName("HelpBrowser");
    m_browser->setOpenExternalLinks(false);
    m_browser->setSource(QUrl("qrc" + QString(kHelpResource)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(560, 480);
}

void HelpWindow::showContents() {
    m_browser->scrollToAnchor("contents");
    show();
    raise();
    activateWindow();
}

QString HelpWindow::helpFilePath() {
    const QString path =
        QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).filePath("kivp-help.html");
    QFile::remove(path);
    QFile::copy(kHelpResource, path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    return path;
}

} // namespace kivp::ui
