#include "shell/ui/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include "organizer/ui/OrganizerView.h"
#include "organizer/ui/ReminderController.h"
#include "platform/qt/DesktopContactLauncher.h"
#include "shell/CommandId.h"
#include "shell/CommandTable.h"
#include "shell/FirstWindowSize.h"
#include "shell/StartupPlan.h"
#include "shell/ui/AboutDialog.h"
#include "shell/ui/CommandActions.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/SplashWindow.h"

MainFrame::MainFrame(const Clock& clock, DocumentStorage& storage, UserPrompts& prompts,
                     SettingsStore& settings, const Locale& locale, ContactLauncher* launcher,
                     QWidget* parent)
    : QMainWindow(parent),
      document_(clock),
      settings_(settings),
      recentFiles_(settings_.readRecentFiles()),
      lifecycle_(document_, storage, prompts, settings_, recentFiles_),
      locale_(locale) {
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
    view_ = new OrganizerView(document_, &history_, settings_, locale_, prompts, *launcher, this);
    client_ = new QStackedWidget(this);
    client_->addWidget(view_);
    setCentralWidget(client_);
    connect(view_, &OrganizerView::selectionChanged, this, &MainFrame::updateCommandStates);
    connect(view_, &OrganizerView::helpRequested, this, &MainFrame::showHelpPage);
    connect(view_, &OrganizerView::commandRequested, this, &MainFrame::runCommand);
    connect(view_, &OrganizerView::listMenuRequested, this, &MainFrame::showListMenu);
    document_.attachView(*this);
    handlers_[cmd::kAudibleAlarm] = [this] { view_->toggleAudibleAlarm(); };
    handlers_[cmd::kUndo] = [this] { history_.undo(); };
    handlers_[cmd::kRedo] = [this] { history_.redo(); };
    for (auto& [id, handler] : view_->commandHandlers())
        handlers_[id] = std::move(handler);

    // The frame never gets smaller than it starts.
    resize(minimumSizeHint().expandedTo(sizeHint()));
    setMinimumSize(size());
    setTitle();
    updateCommandStates();
}

MainFrame::~MainFrame() {
    document_.detachView(*this);
    // The view writes its settings as it goes, so it must go while they still exist.
    delete view_;
}

void MainFrame::openStartupDocument(const std::vector<std::string>& arguments, bool showSplash) {
    if (showSplash) SplashWindow::showFor(this);
    const StartupPlan plan = planStartup(arguments, settings_);
    openLastFile_ = plan.openLastFile;
    lifecycle_.openAtStartup(plan);
    // An alarm that fell due while the program was closed shows at once.
    view_->reminders().checkSoon();
    updateCommandStates();
}

namespace {

ScreenRect screenRect(const QRect& rect) {
    return ScreenRect{rect.left(), rect.top(), rect.left() + rect.width(),
                      rect.top() + rect.height()};
}

}  // namespace

void MainFrame::showWithStoredPlacement() {
    const auto stored = settings_.readPlacement();
    if (stored && applyPlacement(*stored)) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QFontMetrics metrics(font());
    const PixelSize first = firstWindowSize(metrics.averageCharWidth(), metrics.height(),
                                            {available.width(), available.height()});
    resize(QSize(first.width, first.height).expandedTo(minimumSize()));
    QRect frame(QPoint(), size());
    frame.moveCenter(available.center());
    move(frame.topLeft());
    show();
}

bool MainFrame::applyPlacement(const WindowPlacement& placement) {
    const QScreen* best = nullptr;
    uint64_t bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const uint64_t area = placement.normal.overlapArea(screenRect(screen->geometry()));
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    if (best == nullptr) return false;  // wholly off every screen
    // Stored values may be anything: a window larger than the screen would be of no use
    // and slow to draw.
    const auto r = placement.normal.fittedInto(screenRect(best->availableGeometry()),
                                               minimumWidth(), minimumHeight());
    if (!r) return false;
    setGeometry(QRect(r->left, r->top, r->right - r->left, r->bottom - r->top));
    switch (static_cast<ShowState>(placement.showCmd)) {
        case ShowState::Maximized:
            showMaximized();
            break;
        case ShowState::Minimized:
            showMinimized();
            break;
        default:
            showNormal();
            break;
    }
    return true;
}

WindowPlacement MainFrame::currentPlacement() const {
    WindowPlacement placement;
    placement.showCmd = static_cast<int32_t>(isMaximized()   ? ShowState::Maximized
                                             : isMinimized() ? ShowState::Minimized
                                                             : ShowState::Normal);
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.normal =
        ScreenRect{normal.left(), normal.top(), normal.right() + 1, normal.bottom() + 1};
    return placement;
}

void MainFrame::setCommandHandler(int id, CommandHandler handler) {
    handlers_[id] = std::move(handler);
}

void MainFrame::showInClient(QWidget* client) {
    if (client_->indexOf(client) < 0) client_->addWidget(client);
    client_->setCurrentWidget(client);
}

void MainFrame::setStatusText(const QString& text) {
    readyLabel_->setText(text);
}

void MainFrame::runCommand(int id) {
    if (const auto it = handlers_.find(id); it != handlers_.end() && it->second) {
        it->second();
    } else if (const Command* command = CommandTable::find(id);
               command != nullptr && command->owner == CommandOwner::Frame) {
        runFrameCommand(id);
    } else {
        reportUnavailable(id);
    }
    updateCommandStates();
}

void MainFrame::runFrameCommand(int id) {
    if (id >= cmd::kRecentFirst && id <= cmd::kRecentLast) {
        lifecycle_.openRecent(id);
        view_->reminders().checkSoon();
        return;
    }
    switch (id) {
        case cmd::kNew:
            lifecycle_.newDocument();
            break;
        case cmd::kOpen:
            lifecycle_.open();
            view_->reminders().checkSoon();
            break;
        case cmd::kSave:
            lifecycle_.save();
            break;
        case cmd::kSaveAs:
            lifecycle_.saveAs();
            break;
        case cmd::kBackup:
            lifecycle_.backup();
            break;
        case cmd::kCompact: {
            UndoHistory::Step step(history_, "Compact");
            lifecycle_.compact();
            break;
        }
        case cmd::kExit:
            close();
            break;
        case cmd::kOpenLastFile:
            toggleOpenLastFile();
            break;
        case cmd::kViewToolbar:
            actions_->toolBar()->setVisible(actions_->toolBar()->isHidden());
            break;
        case cmd::kViewStatusBar:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        case cmd::kHelpTopics:
            showHelpPage(QStringLiteral("Introduction"));
            break;
        case cmd::kAbout:
            showAbout();
            break;
        case cmd::kContextHelp:
            QWhatsThis::enterWhatsThisMode();
            break;
        default:
            reportUnavailable(id);
            break;
    }
}

void MainFrame::reportUnavailable(int id) {
    const Command* command = CommandTable::find(id);
    const QString what = command == nullptr         ? QString::number(id)
                         : *command->prompt != '\0' ? QString::fromUtf8(command->prompt)
                                                    : QString::fromStdString(command->plainText());
    statusBar()->showMessage(tr("Not available yet: %1").arg(what), 5000);
}

void MainFrame::showListMenu(FocusedList list, const QPoint& globalPos) {
    // The list's own menu of the menu bar, with the state the click left.
    const char* title = list == FocusedList::Tasks     ? "&Tasks"
                        : list == FocusedList::Persons ? "&Phone Book"
                                                       : "&Appointments";
    updateCommandStates();
    for (QMenu* menu : actions_->menus()) {
        if (menu->title() == QLatin1String(title)) {
            menu->exec(globalPos);
            return;
        }
    }
}

void MainFrame::toggleOpenLastFile() {
    openLastFile_ = !openLastFile_;
    settings_.writeOpenLastFile(openLastFile_);
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
    state.documentModified = document_.isModified();
    state.documentHasPath = !document_.path().empty();
    state.taskCount = document_.tasks().size();
    state.personCount = document_.persons().size();
    state.appointmentCount = document_.appointments().size();
    state.openLastFile = openLastFile_;
    state.undoName = history_.undoName();
    state.redoName = history_.redoName();
    state.reportChosen = reportChosen_;
    state.toolbarVisible = !actions_->toolBar()->isHidden();
    state.statusBarVisible = !statusBar()->isHidden();
    view_->fillSnapshot(state);
    return state;
}

void MainFrame::updateCommandStates() {
    actions_->apply(snapshot());
    actions_->showRecentFiles(recentFiles_);
}

QString MainFrame::idleStatusText() const {
    return tr("Ready");
}

void MainFrame::documentChanged() {
    updateCommandStates();
}

void MainFrame::documentPathChanged(const std::string&) {
    setTitle();
}

void MainFrame::setTitle() {
    setWindowTitle(QString::fromStdString(lifecycle_.windowTitle()));
}

void MainFrame::closeEvent(QCloseEvent* event) {
    settings_.writePlacement(currentPlacement());
    if (lifecycle_.close()) {
        if (help_ != nullptr) help_->close();
        event->accept();
    } else {
        event->ignore();
    }
}
