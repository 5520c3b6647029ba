#include "CLeftView.h"

#include "Prompt.h"

#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTreeWidget>
#include <QVBoxLayout>

const QStringList CLeftView::kCalculators = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                             QStringLiteral("galculator"), QStringLiteral("xcalc")};

CLeftView::CLeftView(Database& db, Prompt& prompt, const QString& dataFolder, QWidget* parent)
    : QWidget(parent), m_summary(db), m_prompt(prompt), m_notesPath(QDir(dataFolder).filePath(kNotesFile)),
      m_tree(new QTreeWidget(this)), m_notes(new QPlainTextEdit(this))
{
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            emit roomChosen(item->parent() ? item->text(0) : QStringLiteral("%"));
    });

    auto* countsBox = new QGroupBox(QStringLiteral("餐台总状态"), this);
    auto* form = new QFormLayout(countsBox);
    const char* const labels[] = {"餐台总数:", "当前占用:", "当前可供:", "当前预订:", "上坐率:"};
    for (int i = 0; i < 5; ++i) {
        m_counts[i] = new QLabel(countsBox);
        m_counts[i]->setStyleSheet(QStringLiteral("color: #b01818; font-weight: bold;"));
        form->addRow(QString::fromUtf8(labels[i]), m_counts[i]);
    }

    auto* notesBox = new QGroupBox(QStringLiteral("便签"), this);
    auto* stamp = new QPushButton(QStringLiteral("时间"), notesBox);
    auto* clear = new QPushButton(QStringLiteral("清空"), notesBox);
    auto* calculator = new QPushButton(QStringLiteral("计算器"), notesBox);
    stamp->setObjectName(QStringLiteral("stamp"));
    clear->setObjectName(QStringLiteral("clear"));
    calculator->setObjectName(QStringLiteral("calculator"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {stamp, clear, calculator}) {
        b->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(b);
    }
    auto* notesLayout = new QVBoxLayout(notesBox);
    notesLayout->addWidget(m_notes, 1);
    notesLayout->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_tree, 3);
    layout->addWidget(countsBox);
    layout->addWidget(notesBox, 2);

    m_notes->setPlainText(TextFile::read(m_notesPath, nullptr, &m_notesEncoding));
    connect(m_notes, &QPlainTextEdit::textChanged, this, &CLeftView::saveNotes);
    connect(stamp, &QPushButton::clicked, this, &CLeftView::stampNotes);
    connect(clear, &QPushButton::clicked, this, &CLeftView::clearNotes);
    connect(calculator, &QPushButton::clicked, this, &CLeftView::startCalculator);

    reload();
}

void CLeftView::reload()
{
    const QSignalBlocker blocker(m_tree);
    m_tree->clear();
    auto* root = new QTreeWidgetItem(m_tree, {m_summary.restaurantName()});
    for (const QString& room : m_summary.rooms())
        new QTreeWidgetItem(root, {room});
    root->setExpanded(true);
    m_tree->setCurrentItem(root);
    updateCounts();
}

void CLeftView::updateCounts()
{
    const RoomSummary::Counts c = m_summary.counts();
    const QString texts[] = {QString::number(c.total), QString::number(c.occupied),
                             QString::number(c.available), QString::number(c.reserved), c.rate};
    for (int i = 0; i < 5; ++i)
        m_counts[i]->setText(texts[i]);
}

QString CLeftView::countText(int index) const
{
    return m_counts[index]->text();
}

void CLeftView::saveNotes()
{
    const QString text = m_notes->toPlainText();
    // What the file cannot hold is taken back at once, never written as "?".
    if (const QString refusal = TextFile::refusal(text, m_notesEncoding, kNotesFile); !refusal.isEmpty()) {
        QMetaObject::invokeMethod(m_notes, &QPlainTextEdit::undo, Qt::QueuedConnection);
        m_prompt.warn(refusal);
        return;
    }
    if (!TextFile::write(m_notesPath, text, m_notesEncoding))
        m_prompt.warn(QStringLiteral("便签保存失败:") + QDir::toNativeSeparators(m_notesPath));
}

void CLeftView::stampNotes()
{
    m_notes->moveCursor(QTextCursor::End);
    m_notes->insertPlainText(RoomSummary::noteStamp().remove(QLatin1Char('\r')));
    m_notes->setFocus();
}

void CLeftView::clearNotes()
{
    if (m_prompt.ask(QStringLiteral("你真的清空便签吗？")))
        m_notes->clear();
}

void CLeftView::startCalculator()
{
    for (const QString& name : kCalculators) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return;
    }
    m_prompt.warn(QStringLiteral("没有找到计算器程序(") + kCalculators.join(QStringLiteral("、")) +
                  QStringLiteral("),请先安装一个计算器!"));
}
