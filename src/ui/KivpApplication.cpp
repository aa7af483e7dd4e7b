#include "ui/KivpApplication.h"

#include "startup/SingleInstance.h"
#include "ui/CustomBracketDialog.h"
#include "ui/HelpWindow.h"
#include "ui/RunProgressDialog.h"
#include "ui/Spabout.h"
#include "ui/Sphome.h"
#include "ui/Spoptions.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileSystemWatcher>
#include <QUrl>

// Resources of a static library are registered by name, outside any namespace.
static void registerKivpResources() { Q_INIT_RESOURCE(kivp); }

namespace kivp::ui {

namespace {

void centreOver(QWidget& window, const QWidget& owner) {
    const QRect frame = owner.frameGeometry();
    window.move(frame.center() - QPoint(window.frameGeometry().width() / 2, window.frameGeometry().height() / 2));
}

} // namespace

KivpApplication::KivpApplication(const std::string& programDirectory, Prompts* prompts)
    : m_prompts(prompts ? *prompts : m_qtPrompts), m_model(m_prompts, *this, m_runner) {
    registerKivpResources();
    m_model.FormCreate(programDirectory);
    m_form1 = std::make_unique<TForm1>(m_model, m_prompts);
    m_runner.setOwner(m_form1.get());
    m_form2 = std::make_unique<TForm2>(m_prompts, [](const QUrl& url) { return QDesktopServices::openUrl(url); },
                                       m_form1.get());
    m_form7 = std::make_unique<TForm7>(m_model.options(), m_prompts, m_form1.get());
    m_help = std::make_unique<HelpWindow>(m_form1.get());
    m_progress = std::make_unique<RunProgressDialog>(
        m_runner, [this] { m_form1->refresh(); }, m_form1.get());
    m_model.setRunProgress(m_progress.get());

    // A request left before this start is not for this kivp.
    takeBringForwardRequest(programDirectory);
    m_programFolderWatch =
        std::make_unique<QFileSystemWatcher>(QStringList{QString::fromStdString(programDirectory)});
    QObject::connect(m_programFolderWatch.get(), &QFileSystemWatcher::directoryChanged, m_form1.get(),
                     [this, programDirectory] {
                         if (takeBringForwardRequest(programDirectory))
                             bringToFront();
                     });
}

KivpApplication::~KivpApplication() = default;

// The window system may refuse to hand the focus over to a program in the background; the taskbar entry asks
// for attention then.
void KivpApplication::bringToFront() {
    QWidget* window = m_form1.get();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
    QApplication::alert(window);
}

void KivpApplication::showHelpContents() { m_help->showContents(); }

void KivpApplication::showAbout() {
    centreOver(*m_form2, *m_form1);
    m_form2->exec();
}

std::optional<CustomBracket> KivpApplication::chooseCustomBracket(const CustomBracket& current) {
    return CustomBracketDialog::ask(current, m_form1.get());
}

// The options window centres itself over the main window each time it is shown.
void KivpApplication::showOptionsWindow() { m_form7->exec(); }

void KivpApplication::closeMainWindow() { m_form1->close(); }

void KivpApplication::showGameLog() { m_form1->showGameLog(); }

} // namespace kivp::ui
