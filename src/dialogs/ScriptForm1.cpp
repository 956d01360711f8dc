#include "dialogs/ScriptForm1.h"

#include "dialogs/DialogPlacement.h"
#include "scripts/ScriptRunner.h"
#include "settings/LanguageTable.h"
#include "settings/Settings.h"
#include "ui/Components.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QSize kClientSize(706, 391);
const QSize kMemoSize(591, 161);

struct HelpLine {
    const char* name;
    const char* text;
};

const HelpLine kHelpLines[] = {
    {"macroLabel0", "Type there windows console commands (cmd). Those will be executed "
                    "befor/after project save. You can use macro defined in Quarvel like:"},
    {"macroLabel1", "$MODNAME$ - will be replaced with your mod name"},
    {"macroLabel2", "$MODAUTHOR$ - will be replaced with mod author name"},
    {"macroLabel3", "$MODVERSION$ - will be replaced with your mod version"},
    {"macroLabel4", "$MODROOT$ - will be replaced with mod root directory you specified"},
    {"macroLabel5", "$DATE$ - will be replaced with current date"},
    {"macroLabel6", "$TIME$ - will be replaced with current time"},
    {"macroLabel7", "$RANDOM$ - will be replaced with random number from 0 to 32767"},
    {"macroLabel8", "Don't forget about quotes as you likely will need them so cmd will "
                    "understand commands in right way."},
};

// The file's lines as the memo shows them; scripts are 8-bit text with CR LF line breaks.
QString scriptText(const QByteArray& bytes) {
    QString text = Settings::fromLocal8(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

// Every line of the memo (lines separated by CR LF) followed by CR LF; an empty memo has no
// lines at all, and a final line break ends the last line rather than starting another.
QByteArray scriptBytes(QString memoText) {
    if (memoText.isEmpty())
        return {};
    if (!memoText.endsWith(QLatin1String("\r\n")))
        memoText += QLatin1String("\r\n");
    return Settings::toLocal8(memoText);
}

// A layout keeps the sizes it last computed, and so does each layout inside it, also after the
// fonts of a hidden window changed.
void forgetSizes(QLayout* layout) {
    layout->invalidate();
    for (int i = 0; i < layout->count(); ++i) {
        if (QLayout* inner = layout->itemAt(i)->layout())
            forgetSizes(inner);
    }
}

} // namespace

TScriptForm1::TScriptForm1(QWidget* mainWindow, const QString& programDir)
    : QDialog(mainWindow), m_main(mainWindow), m_programDir(programDir) {
    setObjectName(QStringLiteral("TScriptForm1"));
    setModal(true);
    if (mainWindow)
        setFont(mainWindow->font());

    auto* help = new QVBoxLayout;
    help->setSpacing(2);
    for (const HelpLine& line : kHelpLines) {
        QLabel* label = Components::label(QLatin1String(line.name), QString::fromUtf8(line.text));
        label->setWordWrap(true);
        help->addWidget(label);
    }

    m_memo = new QPlainTextEdit;
    m_memo->setObjectName(QStringLiteral("ScriptMemo"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setMinimumSize(kMemoSize);

    QPushButton* save = Components::button(QStringLiteral("SaveButton"), QStringLiteral("Save"));
    QPushButton* cancel =
        Components::button(QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    // Enter never closes the dialog: in the memo it starts a new line.
    save->setAutoDefault(false);
    cancel->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* editRow = new QHBoxLayout;
    editRow->addWidget(m_memo, 1);
    editRow->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(help);
    layout->addLayout(editRow, 1);

    connect(save, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    fitSize();
}

void TScriptForm1::RunBeforeSaveMenuClick() {
    editScript(QStringLiteral("runbefore.txt"), QStringLiteral("RunBeforeSaveMenu"));
}

void TScriptForm1::RunAfterSaveMenuClick() {
    editScript(QStringLiteral("runafter.txt"), QStringLiteral("RunAfterSaveMenu"));
}

void TScriptForm1::editScript(const QString& fileName, const QString& menuName) {
    prepareScript(fileName, menuName);
    exec();
}

void TScriptForm1::prepareScript(const QString& fileName, const QString& menuName) {
    m_scriptPath = ScriptRunner::scriptPath(m_programDir, fileName);
    m_memo->clear();
    QFile file(m_scriptPath);
    if (!QFileInfo(m_scriptPath).isDir() && file.open(QIODevice::ReadOnly))
        m_memo->setPlainText(scriptText(file.readAll()));

    // The entry's caption is the text of its key once a language is applied, and its own
    // caption before any is.
    const QAction* entry = m_main ? m_main->findChild<QAction*>(menuName) : nullptr;
    setWindowTitle(entry ? entry->text() : Language::lookup(menuName));

    // The text size and the language may have changed since the last opening.
    fitSize();
    DialogPlacement::centreOn(this, m_main);
}

void TScriptForm1::SaveButtonClick() {
    const QByteArray bytes = scriptBytes(Components::memoText(m_memo));
    QSaveFile file(m_scriptPath);
    file.setDirectWriteFallback(true);
    const bool written = !QFileInfo(m_scriptPath).isDir() && file.open(QIODevice::WriteOnly) &&
                         file.write(bytes) == bytes.size() && file.commit();
    if (!written) {
        Prompts::message(this, QStringLiteral("The script could not be saved to %1.")
                                   .arg(QDir::toNativeSeparators(m_scriptPath)));
        return;
    }
    accept();
}

// A fixed size: the dialog's own client area, or more when larger interface text or a longer
// translation needs it. The help lines wrap, so their height follows from the width.
void TScriptForm1::fitSize() {
    QLayout* content = layout();
    forgetSizes(content);
    const int width = std::max(kClientSize.width(), content->totalMinimumSize().width());
    const int height = content->hasHeightForWidth() ? content->totalHeightForWidth(width)
                                                    : content->totalSizeHint().height();
    setFixedSize(width, std::max(kClientSize.height(), height));
}
