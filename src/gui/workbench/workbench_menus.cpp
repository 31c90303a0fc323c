// The workbench's menu bar, in the desktop's conventions: every entry runs
// what its button or key does, and "最近打开" keeps the folders opened last
// across restarts.
#include "gui/workbench/workbench_window.h"

#include "gui/widgets/project_state.h"
#include "gui/workbench/share_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace vireo::workbench::ui {

namespace {

constexpr int kRecentCount = 8;
const char kRecentKey[] = "recentFolders";

QSettings recentSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope,
                     QStringLiteral("vireo-skin-builder"), QStringLiteral("workbench"));
}

QAction* addEntry(QMenu* menu, const QString& text, const QString& name, QKeySequence keys = {}) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(keys);
    return action;
}

// One checkable entry per choice of `choice`, kept in step with it both ways.
void addChoiceEntries(QMenu* menu, QComboBox* choice) {
    auto* group = new QActionGroup(menu);
    for (int i = 0; i < choice->count(); ++i) {
        QAction* action = menu->addAction(choice->itemText(i));
        action->setCheckable(true);
        action->setChecked(i == choice->currentIndex());
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, choice,
                         [choice, i] { choice->setCurrentIndex(i); });
    }
    QObject::connect(choice, &QComboBox::currentIndexChanged, group, [group](int index) {
        if (index >= 0 && index < group->actions().size())
            group->actions()[index]->setChecked(true);
    });
}

}  // namespace

QStringList WorkbenchWindow::recentFolders() {
    QStringList folders = recentSettings().value(QLatin1String(kRecentKey)).toStringList();
    folders.removeIf([](const QString& folder) { return !QDir(folder).exists(); });
    return folders;
}

void WorkbenchWindow::rememberFolder(const QString& folder) {
    QStringList folders = recentSettings().value(QLatin1String(kRecentKey)).toStringList();
    folders.removeAll(folder);
    folders.prepend(folder);
    while (folders.size() > kRecentCount) folders.removeLast();
    QSettings settings = recentSettings();
    settings.setValue(QLatin1String(kRecentKey), folders);
}

void WorkbenchWindow::buildMenuBar(QVBoxLayout* layout) {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    layout->setMenuBar(bar);
    const auto clicks = [this](QAction* action, const char* button) {
        connect(action, &QAction::triggered, this,
                [this, button] { findChild<QPushButton*>(QLatin1String(button))->click(); });
    };

    QMenu* file = bar->addMenu(QStringLiteral("文件(&F)"));
    clicks(addEntry(file, QStringLiteral("新建皮肤…"), QStringLiteral("newSkinAction"),
                    QKeySequence::New),
           "newSkinButton");
    clicks(addEntry(file, QStringLiteral("打开文件夹…"), QStringLiteral("openFolderAction"),
                    QKeySequence::Open),
           "openButton");
    clicks(addEntry(file, QStringLiteral("打开皮肤…"), QStringLiteral("openSkinAction"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)),
           "openSkinButton");
    recentMenu_ = file->addMenu(QStringLiteral("最近打开"));
    recentMenu_->setObjectName(QStringLiteral("recentMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &WorkbenchWindow::fillRecentMenu);
    fillRecentMenu();
    file->addSeparator();
    clicks(addEntry(file, QStringLiteral("导出预览图…"), QStringLiteral("exportSheetAction"),
                    QKeySequence(Qt::CTRL | Qt::Key_E)),
           "exportSheetButton");
    connect(addEntry(file, QStringLiteral("导出皮肤包…"), QStringLiteral("exportPackageAction")),
            &QAction::triggered, this, [this] {
                // The package carries the files: settle the record first.
                if (unwrittenSettled())
                    exportPackage(this, dialogs_, project(), recentSettings().fileName());
            });
    clicks(addEntry(file, QStringLiteral("生成皮肤"), QStringLiteral("generateAction"),
                    QKeySequence(Qt::CTRL | Qt::Key_B)),
           "generateButton");
    file->addSeparator();
    connect(
        addEntry(file, QStringLiteral("退出"), QStringLiteral("quitAction"), QKeySequence::Quit),
        &QAction::triggered, this, &QWidget::close);

    QMenu* edit = bar->addMenu(QStringLiteral("编辑(&E)"));
    edit->addAction(findChild<QAction*>(QStringLiteral("undoAction")));
    edit->addAction(findChild<QAction*>(QStringLiteral("redoAction")));

    QMenu* view = bar->addMenu(QStringLiteral("视图(&V)"));
    addChoiceEntries(view->addMenu(QStringLiteral("画面")), screenChoice_);
    addChoiceEntries(view->addMenu(QStringLiteral("缩放")), zoomChoice_);
    addChoiceEntries(view->addMenu(QStringLiteral("网格")), gridChoice_);
}

void WorkbenchWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList folders = recentFolders();
    for (const QString& folder : folders) {
        connect(recentMenu_->addAction(QDir::toNativeSeparators(folder)), &QAction::triggered, this,
                [this, folder] {
                    if (unwrittenSettled()) openFolderAt(folder);
                });
    }
    recentMenu_->setEnabled(!folders.isEmpty());
}

}  // namespace vireo::workbench::ui
