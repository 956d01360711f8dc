#pragma once

#include "model/Fomod.h"
#include "simulate/InstallWizard.h"

#include <QDialog>
#include <QList>
#include <QString>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QVBoxLayout;

// The install wizard as a mod manager shows it, run on a copy of the open project: the mod's
// header, one step at a time with its groups of radio buttons or check boxes, the description
// and image of the option under the mouse, Back / Next / Finish, and at the end the files the
// choices install, as a tree of destinations, with the final flags. Other files of the game
// count as missing. Above the steps, whether the mod's prerequisites hold (when they do not, the
// run ends at once, as managers refuse the mod), and the versions of the game, the mod manager
// and the script extender the run assumes: a version left empty counts as new enough, and
// changing one runs the wizard again from its start. The project is never changed.
class TPreviewForm : public QDialog {
    Q_OBJECT

public:
    TPreviewForm(const CFOMOD& project, const QString& rootDir, QWidget* parent = nullptr);

    const Simulate::InstallWizard& wizard() const { return m_wizard; }

    void PreviewBackButtonClick();
    void PreviewNextButtonClick();
    void PreviewFinishButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildVersionsPanel();
    void VersionEditChange();
    void restart();
    void showPrerequisites();
    QWidget* buildWizardPage();
    QWidget* buildResultPage();
    void showStep();
    void showResult();
    void syncOptions();
    void showOption(qsizetype group, qsizetype option);
    void OptionClick(qsizetype group, qsizetype option, bool checked);

    struct OptionButton {
        QAbstractButton* button;
        qsizetype iGroup;
        qsizetype iOption;
    };

    Simulate::InstallWizard m_wizard;
    QString m_rootDir;
    QList<OptionButton> m_options;

    QLabel* m_prerequisites = nullptr;
    QLineEdit* m_gameVersion = nullptr;
    QLineEdit* m_managerVersion = nullptr;
    QLineEdit* m_extenderVersion = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLabel* m_stepName = nullptr;
    QWidget* m_groupsPanel = nullptr;
    QVBoxLayout* m_groupsLayout = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QLabel* m_optionImage = nullptr;
    QTreeWidget* m_filesTree = nullptr;
    QTreeWidget* m_flagsList = nullptr;
    QPlainTextEdit* m_problems = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_finish = nullptr;
};
