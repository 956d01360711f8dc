#pragma once

#include <QObject>

struct EditorState;
struct OfferedNames;
class QComboBox;
class QWidget;

// The "Conditional installations" page: patterns of file and flag dependencies, each with the
// files it installs when its dependencies hold.
class ConditionalInstallsController : public QObject {
    Q_OBJECT

public:
    ConditionalInstallsController(EditorState& state, QWidget* window);

    QWidget* page() const { return m_page; } // ConditionalInstallsTabSheet

    // Used by the rebuild: empty the dependency name and value boxes, then offer the names
    // (flag names, then pattern dependency names) and values with no text chosen.
    void clearForRebuild();
    void offerNames(const OfferedNames& offered);

private:
    EditorState& m_state;
    QWidget* m_window = nullptr;
    QWidget* m_page = nullptr;
    QComboBox* m_dependNameComboBox = nullptr;
    QComboBox* m_dependValueComboBox = nullptr;
};
