#include "shell/ui/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "organizer/ui/OrganizerView.h"
#include "organizer/ui/ReminderController.h"
#include "platform/Translate.h"
#include "platform/qt/DesktopContactLauncher.h"
#include "shell/CommandId.h"
#include "shell/ui/AboutDialog.h"
#include "shell/ui/CommandActions.h"
#include "shell/ui/FramePlacement.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/SplashWindow.h"

namespace {

constexpr int kRecoveryDelayMs = 2000;

}  // namespace

MainFrame::MainFrame(Workspace& workspace, ShellSettings& settings, UserPrompts& prompts,
                     const Locale& locale, ContactLauncher* launcher, QWidget* parent)
    : QMainWindow(parent), workspace_(workspace), settings_(settings), prompts_(prompts) {
    setWindowIcon(QIcon(QStringLiteral(":/icons/quillmate.png")));
    actions_ = new CommandActions(*this);
    connect(actions_, &CommandActions::triggered, this, &MainFrame::runCommand);
    connect(actions_, &CommandActions::menuAboutToShow, this, &MainFrame::updateCommandStates);

    readyLabel_ = new QLabel(idleStatusText(), this);
    statusBar()->addWidget(readyLabel_, 1);

    if (launcher == nullptr) {
        desktopLauncher_ = std::make_unique<DesktopContactLauncher>();
        launcher = desktopLauncher_.get();
    }
    view_ = new OrganizerView(workspace_.door(), settings_, locale, prompts, *launcher, this);
    client_ = new QStackedWidget(this);
    client_->addWidget(view_);
    setCentralWidget(client_);
    connect(view_, &OrganizerView::selectionChanged, this, &MainFrame::updateCommandStates);
    connect(view_, &OrganizerView::helpRequested, this, &MainFrame::showHelpPage);
    connect(view_, &OrganizerView::commandRequested, this, &MainFrame::runCommand);
    connect(view_, &OrganizerView::listMenuRequested, this, &MainFrame::showListMenu);
    // After the organizer view, so that the states read the lists it has refilled.
    workspace_.attachView(*this);
    listenerId_ = workspace_.onCommandStatesChanged([this] { updateCommandStates(); });
    // Started by the first change and not restarted by the next ones, so that no change
    // waits longer than the delay for its copy, however fast the edits come.
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(kRecoveryDelayMs);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { workspace_.keepRecoveryCopy(); });
    workspace_.onRecoveryDue([this] {
        if (!recoveryTimer_->isActive()) recoveryTimer_->start();
    });
    handlers_[cmd::kAudibleAlarm] = [this] { view_->toggleAudibleAlarm(); };
    handlers_[cmd::kUndo] = [this] { workspace_.undo(); };
    handlers_[cmd::kRedo] = [this] { workspace_.redo(); };
    for (auto& [id, handler] : view_->commandHandlers())
        handlers_[id] = std::move(handler);

    // The frame never gets smaller than it starts.
    resize(minimumSizeHint().expandedTo(sizeHint()));
    setMinimumSize(size());
    setTitle();
    updateCommandStates();
}

MainFrame::~MainFrame() {
    workspace_.onRecoveryDue(nullptr);
    workspace_.forget(listenerId_);
    workspace_.detachView(*this);
    // The view writes its settings as it goes, so it must go while they still exist.
    delete view_;
}

void MainFrame::openStartupDocument(const std::vector<std::string>& arguments, bool showSplash) {
    if (showSplash) SplashWindow::showFor(this);
    workspace_.openAtStartup(arguments);
    workspace_.offerRecovery();
    // An alarm that fell due while the program was closed shows at once.
    view_->reminders().checkSoon();
    updateCommandStates();
}

void MainFrame::showWithStoredPlacement() {
    const auto stored = settings_.readPlacement();
    if (!stored || !showAtPlacement(*this, *stored))
        showCentred(*this, view_->firstSize() - view_->sizeHint());
}

void MainFrame::setRecoveryDelay(int milliseconds) {
    recoveryTimer_->setInterval(milliseconds);
}

WindowPlacement MainFrame::currentPlacement() const {
    return placementOf(*this);
}

void MainFrame::setCommandHandler(int id, CommandHandler handler) {
    handlers_[id] = std::move(handler);
}

void MainFrame::showInClient(QWidget* page, QToolBar* toolBar) {
    if (page == nullptr) {
        client_->setCurrentWidget(view_);
        if (clientToolBar_ != nullptr) clientToolBar_->hide();
        clientToolBar_ = nullptr;
        menuBar()->show();
        actions_->toolBar()->setVisible(toolBarWasVisible_);
        setStatusText(QString());
        return;
    }
    if (client_->indexOf(page) < 0) client_->addWidget(page);
    client_->setCurrentWidget(page);
    if (clientToolBar_ == nullptr) toolBarWasVisible_ = !actions_->toolBar()->isHidden();
    menuBar()->hide();
    actions_->toolBar()->hide();
    if (toolBar != nullptr) {
        if (toolBarArea(toolBar) == Qt::NoToolBarArea) addToolBar(toolBar);
        toolBar->show();
    }
    clientToolBar_ = toolBar;
}

void MainFrame::setStatusText(const QString& text) {
    readyLabel_->setText(text.isEmpty() ? idleStatusText() : text);
}

int32_t MainFrame::shownGroup() const {
    return view_->phoneBook().groupId();
}

void MainFrame::showHelpPage(const QString& page) {
    if (help_ == nullptr) help_ = new HelpWindow(this);
    help_->showPage(page);
}

HelpWindow* MainFrame::helpWindow() const {
    return help_;
}

void MainFrame::showAbout() {
    AboutDialog about(this);
    about.exec();
}

ShellSnapshot MainFrame::snapshot() const {
    ShellSnapshot state;
    fillFromWorkspace(state, workspace_);
    state.reportChosen = reportChosen_;
    state.toolbarVisible = !actions_->toolBar()->isHidden();
    state.statusBarVisible = !statusBar()->isHidden();
    view_->fillSnapshot(state);
    return state;
}

void MainFrame::updateCommandStates() {
    setWindowModified(workspace_.document().isModified());
    actions_->apply(snapshot());
    actions_->showRecentFiles(workspace_.recentFiles());
}

QString MainFrame::idleStatusText() const {
    return _("Ready");
}

void MainFrame::documentChanged() {
    updateCommandStates();
}

void MainFrame::documentPathChanged(const std::string&) {
    setTitle();
    // Some commands depend on the document having a file.
    updateCommandStates();
}

void MainFrame::setTitle() {
    // The desktop marks unsaved changes where "[*]" stands; one in a file name is doubled
    // to be shown as it is.
    QString title = QString::fromStdString(workspace_.windowTitle());
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title + QStringLiteral("[*]"));
}

void MainFrame::closeEvent(QCloseEvent* event) {
    settings_.writePlacement(currentPlacement());
    if (workspace_.close()) {
        // Changes the user chose not to save must not come back as a copy written late.
        recoveryTimer_->stop();
        if (help_ != nullptr) help_->close();
        event->accept();
    } else {
        event->ignore();
    }
}
