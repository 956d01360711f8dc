#include "dialogs/PreviewForm.h"

#include "installer/Escaping.h"
#include "model/ConditionText.h"
#include "platform/Paths.h"
#include "settings/LanguageTable.h"
#include "simulate/GroupSelection.h"
#include "ui/Components.h"
#include "ui/PicturePreview.h"
#include "ui/Pictures.h"
#include "ui/Translation.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPixmap pictureOf(const QString& rootDir, const QString& storedPath) {
    if (storedPath.isEmpty())
        return QPixmap();
    return Pictures::loadPreview(Paths::storedToNative(rootDir, storedPath));
}

QFont boldened(QFont font) {
    font.setBold(true);
    return font;
}

} // namespace

TPreviewForm::TPreviewForm(const CFOMOD& project, const QString& rootDir, QWidget* parent)
    : QDialog(parent), m_wizard(project, Simulate::Environment()), m_rootDir(rootDir) {
    setObjectName(QStringLiteral("TPreviewForm"));
    setWindowTitle(QStringLiteral("Preview"));

    m_pages = new QStackedWidget;
    m_pages->setObjectName(QStringLiteral("PreviewPages"));
    m_pages->addWidget(buildWizardPage());
    m_pages->addWidget(buildResultPage());

    m_back = Components::button(QStringLiteral("PreviewBackButton"), QStringLiteral("Back"));
    m_next = Components::button(QStringLiteral("PreviewNextButton"), QStringLiteral("Next"));
    m_finish = Components::button(QStringLiteral("PreviewFinishButton"), QStringLiteral("Finish"));
    auto* close = Components::button(QStringLiteral("PreviewCloseButton"), QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {m_back, m_next, m_finish, close})
        buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader());
    layout->addWidget(buildVersionsPanel());
    m_prerequisites = new QLabel;
    m_prerequisites->setObjectName(QStringLiteral("PreviewPrerequisitesLabel"));
    m_prerequisites->setWordWrap(true);
    layout->addWidget(m_prerequisites);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    connect(m_back, &QPushButton::clicked, this, &TPreviewForm::PreviewBackButtonClick);
    connect(m_next, &QPushButton::clicked, this, &TPreviewForm::PreviewNextButtonClick);
    connect(m_finish, &QPushButton::clicked, this, &TPreviewForm::PreviewFinishButtonClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    // Translated while the data captions are still empty, so only the layout's texts change.
    if (!Language::table().isEmpty()) {
        Translation::translateContainer(this, Language::table());
        setWindowTitle(Language::lookup(QStringLiteral("PreviewMenu")));
    }

    const CFOMOD& shown = m_wizard.project();
    findChild<QLabel*>(QStringLiteral("PreviewModNameLabel"))->setText(shown.sName);
    findChild<QLabel*>(QStringLiteral("PreviewModVersionLabel"))
        ->setText(shown.sVersion.isEmpty() ? shown.sAuthor
                                           : shown.sVersion + QStringLiteral("  ") + shown.sAuthor);
    resize(820, 640);
    showPrerequisites();
    if (m_wizard.isFinished())
        showResult();
    else
        showStep();
}

QWidget* TPreviewForm::buildVersionsPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("PreviewVersionsPanel"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    const auto field = [&](const char* name, const char* labelName, const char* caption) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QLatin1String(name));
        edit->setPlaceholderText(QStringLiteral("any"));
        QLabel* label = Components::label(QLatin1String(labelName), QLatin1String(caption));
        label->setBuddy(edit);
        row->addWidget(label);
        row->addWidget(edit, 1);
        connect(edit, &QLineEdit::textChanged, this, &TPreviewForm::VersionEditChange);
        return edit;
    };
    m_gameVersion = field("PreviewGameVersionEdit", "PreviewGameVersionLabel", "Game version");
    m_managerVersion =
        field("PreviewManagerVersionEdit", "PreviewManagerVersionLabel", "Mod manager version");
    m_extenderVersion = field("PreviewExtenderVersionEdit", "PreviewExtenderVersionLabel",
                              "Script extender version");
    return panel;
}

// A version that cannot be read is left out of the run, as an empty field is.
void TPreviewForm::VersionEditChange() {
    restart();
}

void TPreviewForm::restart() {
    Simulate::Versions versions;
    versions.set(QStringLiteral("game"), m_gameVersion->text().trimmed());
    versions.set(QStringLiteral("fomm"), m_managerVersion->text().trimmed());
    for (const char* extender : {"fose", "skse", "nvse", "f4se"})
        versions.set(QLatin1String(extender), m_extenderVersion->text().trimmed());
    const CFOMOD project = m_wizard.project();
    m_wizard = Simulate::InstallWizard(project, Simulate::Environment({}, versions));
    showPrerequisites();
    if (m_wizard.isFinished())
        showResult();
    else
        showStep();
}

void TPreviewForm::showPrerequisites() {
    const CFOMOD& project = m_wizard.project();
    m_prerequisites->setVisible(!project.vModuleDependencies.isEmpty());
    if (project.vModuleDependencies.isEmpty())
        return;
    const QString condition =
        ConditionText::ofList(project.sModuleOperator, project.vModuleDependencies);
    m_prerequisites->setText(m_wizard.prerequisitesMet()
                                 ? QStringLiteral("Prerequisites met: ") + condition
                                 : QStringLiteral("Prerequisites not met: ") + condition +
                                       QStringLiteral(" (mod managers refuse to install the mod)"));
}

QWidget* TPreviewForm::buildHeader() {
    auto* header = new QFrame;
    header->setObjectName(QStringLiteral("PreviewHeaderPanel"));
    header->setFrameShape(QFrame::StyledPanel);
    auto* name = new QLabel;
    name->setObjectName(QStringLiteral("PreviewModNameLabel"));
    name->setFont(boldened(name->font()));
    auto* version = new QLabel;
    version->setObjectName(QStringLiteral("PreviewModVersionLabel"));
    auto* image = new QLabel;
    image->setObjectName(QStringLiteral("PreviewHeaderImage"));
    const QPixmap picture = pictureOf(m_rootDir, m_wizard.project().sImage);
    if (!picture.isNull())
        image->setPixmap(picture.scaledToHeight(60, Qt::SmoothTransformation));
    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addStretch(1);
    auto* row = new QHBoxLayout(header);
    row->addLayout(texts, 1);
    row->addWidget(image);
    return header;
}

QWidget* TPreviewForm::buildWizardPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PreviewWizardPage"));
    m_stepName = new QLabel;
    m_stepName->setObjectName(QStringLiteral("PreviewStepLabel"));
    m_stepName->setFont(boldened(m_stepName->font()));

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("PreviewGroupsScrollBox"));
    scroll->setWidgetResizable(true);
    m_groupsPanel = new QWidget;
    m_groupsLayout = new QVBoxLayout(m_groupsPanel);
    scroll->setWidget(m_groupsPanel);

    m_description = new QPlainTextEdit;
    m_description->setObjectName(QStringLiteral("PreviewDescriptionMemo"));
    m_description->setReadOnly(true);
    QWidget* image = PicturePreview::create({QStringLiteral("PreviewImageFrame"),
                                             QStringLiteral("PreviewNoImageLabel"),
                                             QStringLiteral("PreviewOptionImage")},
                                            &m_optionImage);
    auto* details = new QVBoxLayout;
    details->addWidget(m_description, 1);
    details->addWidget(image, 0, Qt::AlignHCenter);

    auto* columns = new QHBoxLayout;
    columns->addWidget(scroll, 3);
    columns->addLayout(details, 2);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stepName);
    layout->addLayout(columns, 1);
    return page;
}

QWidget* TPreviewForm::buildResultPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PreviewResultPage"));
    m_filesTree = new QTreeWidget;
    m_filesTree->setObjectName(QStringLiteral("PreviewFilesTree"));
    m_filesTree->setHeaderLabels({QStringLiteral("Destination"), QStringLiteral("Source"),
                                  QStringLiteral("Option"), QStringLiteral("Priority"),
                                  QStringLiteral("Overwrites")});
    m_flagsList = new QTreeWidget;
    m_flagsList->setObjectName(QStringLiteral("PreviewFlagsList"));
    m_flagsList->setHeaderLabels({QStringLiteral("Flag"), QStringLiteral("Value")});
    m_flagsList->setRootIsDecorated(false);
    m_problems = new QPlainTextEdit;
    m_problems->setObjectName(QStringLiteral("PreviewProblemsMemo"));
    m_problems->setReadOnly(true);
    m_problems->setMaximumHeight(80);

    auto* lower = new QHBoxLayout;
    auto* flags = new QVBoxLayout;
    flags->addWidget(
        Components::label(QStringLiteral("PreviewFlagsLabel"), QStringLiteral("Flags")));
    flags->addWidget(m_flagsList);
    auto* problems = new QVBoxLayout;
    problems->addWidget(
        Components::label(QStringLiteral("PreviewProblemsLabel"), QStringLiteral("Problems")));
    problems->addWidget(m_problems);
    lower->addLayout(flags, 1);
    lower->addLayout(problems, 1);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        Components::label(QStringLiteral("PreviewFilesLabel"), QStringLiteral("Files installed")));
    layout->addWidget(m_filesTree, 3);
    layout->addLayout(lower, 1);
    return page;
}

// One group box per group, its options as radio buttons (exactly one) or check boxes.
void TPreviewForm::showStep() {
    m_pages->setCurrentIndex(0);
    const Simulate::StepVisit& visit = *m_wizard.current();
    const CStep& step = m_wizard.project().vSteps[visit.iStep];
    m_stepName->setText(step.sName);

    m_options.clear();
    m_groupsPanel->setUpdatesEnabled(false);
    while (QLayoutItem* item = m_groupsLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (qsizetype g = 0; g < step.vGroups.size(); ++g) {
        const CPluginGroup& group = step.vGroups[g];
        const Simulate::GroupState& state = visit.vGroups[g];
        auto* box = new QGroupBox(group.sName);
        auto* options = new QVBoxLayout(box);
        for (qsizetype o = 0; o < group.vPlugins.size(); ++o) {
            QAbstractButton* button = Simulate::isSingleChoice(state.type)
                                          ? static_cast<QAbstractButton*>(new QRadioButton)
                                          : new QCheckBox;
            button->setObjectName(QStringLiteral("PreviewOption_%1_%2").arg(g).arg(o));
            button->setText(group.vPlugins[o].sName);
            button->setAutoExclusive(false);
            const Simulate::OptionType type = state.vTypes[o];
            button->setEnabled(type != Simulate::OptionType::Required &&
                               type != Simulate::OptionType::NotUsable);
            button->installEventFilter(this);
            connect(button, &QAbstractButton::clicked, this,
                    [this, g, o](bool checked) { OptionClick(g, o, checked); });
            options->addWidget(button);
            m_options.append({button, g, o});
        }
        if (!state.sUnsatisfiable.isEmpty()) {
            auto* warning = new QLabel(state.sUnsatisfiable);
            warning->setWordWrap(true);
            options->addWidget(warning);
        }
        m_groupsLayout->addWidget(box);
    }
    m_groupsLayout->addStretch(1);
    m_groupsPanel->setUpdatesEnabled(true);
    syncOptions();

    m_description->clear();
    m_optionImage->clear();
    for (const OptionButton& option : std::as_const(m_options)) {
        if (option.button->isChecked()) {
            showOption(option.iGroup, option.iOption);
            break;
        }
    }
    const bool last = m_wizard.isOnLastStep();
    m_back->setEnabled(m_wizard.canGoBack());
    m_next->setEnabled(!last);
    m_finish->setEnabled(last);
}

void TPreviewForm::syncOptions() {
    const Simulate::StepVisit& visit = *m_wizard.current();
    for (const OptionButton& option : std::as_const(m_options))
        option.button->setChecked(visit.vGroups[option.iGroup].vSelected[option.iOption]);
}

void TPreviewForm::showOption(qsizetype group, qsizetype option) {
    const Simulate::StepVisit* visit = m_wizard.current();
    if (!visit)
        return;
    const CPlugin& plugin = m_wizard.project().vSteps[visit->iStep].vGroups[group].vPlugins[option];
    m_description->setPlainText(Escaping::decodeReferences(plugin.sDescription));
    PicturePreview::show(m_optionImage, pictureOf(m_rootDir, plugin.sImage));
}

void TPreviewForm::OptionClick(qsizetype group, qsizetype option, bool checked) {
    m_wizard.select(group, option, checked);
    // A refused click is undone on screen; an accepted one may clear other radio buttons.
    syncOptions();
    showOption(group, option);
    const bool last = m_wizard.isOnLastStep();
    m_next->setEnabled(!last);
    m_finish->setEnabled(last);
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        for (const OptionButton& option : std::as_const(m_options)) {
            if (option.button == watched) {
                showOption(option.iGroup, option.iOption);
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::PreviewBackButtonClick() {
    if (!m_wizard.back())
        return;
    showStep();
}

void TPreviewForm::PreviewNextButtonClick() {
    if (m_wizard.isFinished() || m_wizard.isOnLastStep())
        return;
    m_wizard.next();
    showStep();
}

void TPreviewForm::PreviewFinishButtonClick() {
    if (m_wizard.isFinished() || !m_wizard.isOnLastStep())
        return;
    m_wizard.next();
    showResult();
}

// The destinations as a folder tree sorted by name; an entry a later one overwrites is not
// shown, the one that wins names what it overwrites.
void TPreviewForm::showResult() {
    m_pages->setCurrentIndex(1);
    m_back->setEnabled(m_wizard.canGoBack());
    m_next->setEnabled(false);
    m_finish->setEnabled(false);

    const Simulate::SimulationResult result = m_wizard.result(m_rootDir);
    const CFOMOD& project = m_wizard.project();
    auto optionName = [&](const QString& origin) {
        const QStringList parts = origin.split(QLatin1Char(' '));
        if (parts.size() != 6 || parts[0] != QLatin1String("step"))
            return origin;
        const CStep& step = project.vSteps[parts[1].toInt()];
        const CPluginGroup& group = step.vGroups[parts[3].toInt()];
        return step.sName + QStringLiteral(" / ") + group.sName + QStringLiteral(" / ") +
               group.vPlugins[parts[5].toInt()].sName;
    };
    QHash<QString, QStringList> overwritten; // by destination, case-folded
    for (const Simulate::Overlap& overlap : result.vOverlaps)
        overwritten.insert(overlap.sDestination.toCaseFolded(),
                           overlap.vSources.mid(0, overlap.vSources.size() - 1));

    m_filesTree->clear();
    QHash<QString, QTreeWidgetItem*> folders; // by case-folded path
    for (const Simulate::InstalledFile& file : result.vFiles) {
        if (file.bOverwritten)
            continue;
        const QStringList parts = file.sDestination.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
        QTreeWidgetItem* parent = nullptr;
        QString path;
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            path += parts[i].toCaseFolded() + QLatin1Char('\\');
            QTreeWidgetItem*& folder = folders[path];
            if (!folder) {
                folder = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_filesTree);
                folder->setText(0, parts[i]);
            }
            parent = folder;
        }
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_filesTree);
        item->setText(0, parts.isEmpty() ? QStringLiteral("\\") : parts.last());
        item->setText(1, file.sSource);
        item->setText(2, optionName(file.sOrigin));
        item->setText(3, QString::number(file.iPriority));
        const QStringList earlier = overwritten.value(file.sDestination.toCaseFolded());
        if (!earlier.isEmpty()) {
            item->setText(4, earlier.join(QStringLiteral(", ")));
            for (int column = 0; column < 5; ++column)
                item->setFont(column, boldened(item->font(column)));
        }
        item->setToolTip(0, file.sDestination);
    }
    m_filesTree->sortItems(0, Qt::AscendingOrder);
    m_filesTree->expandAll();
    m_filesTree->header()->resizeSections(QHeaderView::ResizeToContents);

    m_flagsList->clear();
    for (auto it = result.flags.constBegin(); it != result.flags.constEnd(); ++it)
        new QTreeWidgetItem(m_flagsList, {it.key(), it.value()});
    m_problems->setPlainText((result.vProblems + result.vNotes).join(QLatin1Char('\n')));
}
