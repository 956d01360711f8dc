#pragma once

#include <QObject>

class CConditionalFile;
class Document;
class FileListPair;
struct OfferedNames;
class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTableWidget;
class QWidget;

// The "Conditional installations" page: patterns of file and flag dependencies joined by one
// operator, each with the files it installs when its dependencies hold. Tab i of the pattern
// strip stands for pattern i of the project.
class ConditionalInstallsController : public QObject {
    Q_OBJECT

public:
    ConditionalInstallsController(Document& state, QWidget* window);

    QWidget* page() const { return m_page; } // ConditionalInstallsTabSheet
    FileListPair* files() const { return m_files; }

    // Used by the rebuild: offer the names (flag names, then pattern dependency names) and
    // values in the dependency name and value boxes, with no text chosen.
    void offerNames(const OfferedNames& offered);

    // Shows the project's patterns afresh: one tab each, the first one current.
    void showPatterns();

    // The pattern shown (-1 for none), and showing one of the patterns.
    int currentPatternIndex() const;
    void showPattern(int index);

signals:
    // The pattern shown changed.
    void viewChanged();

private slots:
    // Refresh: shows the current pattern's dependencies and files and switches the controls.
    void ConiditionalFilesPageControlChange();

    void CondFilePatternOperatorComboBoxChange();
    void CondFileDependTypeComboBoxChange();
    void AddCondFilePatternButtonClick();
    void RemoveCondFilePatternButtonClick();
    void MoveLeftCondFilePatternButtonClick();
    void MoveRightCondFilePatternButtonClick();
    void AddCondFileConditionButtonClick();
    void RemoveCondFileConditionButtonClick();
    void CondFilePatternListViewSelectItem();

private:
    QWidget* buildPatternBox();
    void connectHandlers();
    CConditionalFile* currentPattern() const;
    void movePattern(int offset, QPushButton* button);
    void captionTabsByPosition();

    Document& m_state;
    QWidget* m_page = nullptr;
    QTabBar* m_patternTabs = nullptr;
    QComboBox* m_operatorComboBox = nullptr;
    QTableWidget* m_dependencyList = nullptr;
    QPushButton* m_addDependencyButton = nullptr;
    QPushButton* m_removeDependencyButton = nullptr;
    QComboBox* m_dependTypeComboBox = nullptr;
    QComboBox* m_dependNameComboBox = nullptr;
    QComboBox* m_dependValueComboBox = nullptr;
    QLabel* m_valueLabel = nullptr;
    QPushButton* m_moveLeftButton = nullptr;
    QPushButton* m_moveRightButton = nullptr;
    QPushButton* m_removePatternButton = nullptr;
    QPushButton* m_addPatternButton = nullptr;
    FileListPair* m_files = nullptr;
};
