#include "shell/ui/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "platform/Translate.h"
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
                     QWidget* parent)
    : QMainWindow(parent), workspace_(workspace), settings_(settings), prompts_(prompts) {
    setWindowIcon(QIcon(QStringLiteral(":/icons/quillmate.png")));
    actions_ = new CommandActions(*this);
    connect(actions_, &CommandActions::triggered, this, &MainFrame::runCommand);
    connect(actions_, &CommandActions::menuAboutToShow, this, &MainFrame::updateCommandStates);

    readyLabel_ = new QLabel(idleStatusText(), this);
    statusBar()->addWidget(readyLabel_, 1);

    client_ = new QStackedWidget(this);
    setCentralWidget(client_);
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
    handlers_[cmd::kUndo] = [this] { workspace_.undo(); };
    handlers_[cmd::kRedo] = [this] { workspace_.redo(); };
    setTitle();
    updateCommandStates();
}

MainFrame::~MainFrame() {
    workspace_.onRecoveryDue(nullptr);
    workspace_.forget(listenerId_);
    workspace_.detachView(*this);
    // The home page may hear the workspace as it goes, which the frame's parts outlive.
    selectionFacts_ = nullptr;
    delete home_;
}

void MainFrame::openStartupDocument(const std::vector<std::string>& arguments, bool showSplash) {
    if (showSplash) SplashWindow::showFor(this);
    workspace_.openAtStartup(arguments);
    workspace_.offerRecovery();
    updateCommandStates();
}

void MainFrame::showWithStoredPlacement() {
    const auto stored = settings_.readPlacement();
    if (!stored || !showAtPlacement(*this, *stored))
        showCentred(*this, home_ == nullptr ? QSize() : homeFirstSize_ - home_->sizeHint());
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
        if (home_ != nullptr) client_->setCurrentWidget(home_);
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

void MainFrame::setHomePage(QWidget* page, const QSize& firstSize) {
    home_ = page;
    homeFirstSize_ = firstSize;
    client_->insertWidget(0, page);
    client_->setCurrentWidget(page);
    // The frame never gets smaller than it starts.
    resize(minimumSizeHint().expandedTo(sizeHint()));
    setMinimumSize(size());
    updateCommandStates();
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
    if (selectionFacts_) selectionFacts_(state);
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
