#pragma once

#include "settings/LanguageTable.h"
#include "settings/Settings.h"

#include <QList>
#include <QString>

class QWidget;

// Showing the windows in the selected language: the captions of a widget tree are replaced by
// the language table's texts, found under each widget's objectName.
//
// What each kind of element gets:
// - QLabel: its own name's text, only while its caption is not empty. The attached label of a
//   labelled edit (the buddy of a QLineEdit, with no name of its own: an empty objectName or
//   one that begins with the edit's) gets the edit's name's text instead, even when empty.
// - QAbstractButton (push button, check box): its own name's text.
// - QGroupBox: its title, then its children.
// - QTabWidget: each page's tab text from the page's name, then the page's children; the tab
//   strips StepsTabControl, pdPatternsPageControl and ConiditionalFilesPageControl show data
//   and are left alone entirely, whatever their kind.
// - QScrollArea: the children of its content widget.
// - QDockWidget: its title, then its content widget as an element of its own.
// - Edits, combo boxes, lists, memos, tab bars, menus and the like: left alone.
// - Any other widget is a panel: its children are translated.
// A widget without an objectName keeps its caption.
namespace Translation {

// Translates the direct children of container and, as their kinds say, their children.
void translateContainer(QWidget* container, const QList<SLanguagePair>& table);

// The keys translateContainer would look up in container as it stands, in walk order; no
// caption changes. Lets a language file be checked against the windows.
QStringList keysLookedUp(QWidget* container);

// Sets the font size of each given window; a size of 0 or less is never applied.
void applyInterfaceTextSize(qint32 pointSize, QWidget* mainWindow, QWidget* settingsDialog,
                            QWidget* scriptDialog);

// The menu items whose captions are set by direct lookups, in the order they are set.
QStringList menuItemNames();

// Loads programDir/Language/<sLanguage> into the language table (a file that cannot be read
// leaves the table as it was), translates the main window, the settings dialog and the script
// dialog in this order, sets the settings dialog's title to the text of "SettingsMenu" and
// the captions of the menu items found in the main window by name (QAction text, QMenu
// title). Any window may be null.
void applyLanguage(const SSettings& settings, const QString& programDir, QWidget* mainWindow,
                   QWidget* settingsDialog, QWidget* scriptDialog);

} // namespace Translation
