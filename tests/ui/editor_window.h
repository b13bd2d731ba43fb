#pragma once
// The main window on a private copy of the store, shown, for tests of its editors; and helpers
// that edit cells the way a user does.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "store/connection.h"
#include "store/query.h"
#include "support/store_copy.h"
#include "ui/channel_grid.h"
#include "ui/main_form.h"

namespace q36::test {

struct EditorWindow {
    // The window runs with settings, as start-up would have chosen them.
    explicit EditorWindow(RunSettings runSettings = {}) : settings(std::move(runSettings)) {}

    StoreCopy store;
    RunSettings settings;  // held by the window below
    ui::TMainForm form{settings, [] { return false; }};

    bool Open() {
        std::string error;
        if (!store.Ok() || !form.ConnectDatabase(store.Path(), error)) return false;
        // The editors are what these tests look at: writes go out plain, without the backup
        // and the check around them.
        form.SetWriteSafety({false, false});
        form.show();
        return QTest::qWaitForWindowExposed(&form);
    }
    ui::ChannelGrid& Grid() { return form.Grid(); }
    QModelIndex Cell(int row, int column) { return Grid().model()->index(row, column); }
    QString Stored(int row, int column) { return Grid().Model().StoredText(row, column); }

    // The editor open on the current cell (closed ones linger hidden until deleted); the two
    // tone-value lists carry names and are no cell editors.
    template <class Editor>
    Editor* OpenEditor() {
        for (Editor* editor : Grid().viewport()->findChildren<Editor*>()) {
            if (editor->objectName().isEmpty() && editor->isVisible()) return editor;
        }
        return nullptr;
    }

    // Clicks into a cell, which opens its editor.
    template <class Editor>
    Editor* Enter(int row, int column) {
        Grid().setFocus();
        Grid().setCurrentIndex(Cell(row, 0));
        QCoreApplication::processEvents();
        Grid().setCurrentIndex(Cell(row, column));
        return OpenEditor<Editor>();
    }

    // Types into a text cell and presses Enter.
    QString TypeInto(int row, int column, const QString& text) {
        QLineEdit* editor = Enter<QLineEdit>(row, column);
        if (!editor) return QStringLiteral("<no editor>");
        editor->selectAll();
        if (text.isEmpty()) QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        const QString typed = editor->text();
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        return typed;
    }

    // Opens the list of a cell with Enter and picks the entry, as a user does with the keys; the
    // tone values (columns 5 and 9) from the list laid over the cell.
    bool Choose(int row, int column, const QString& entry) {
        Grid().setFocus();
        Grid().setCurrentIndex(Cell(row, column));
        QTest::keyClick(&Grid(), Qt::Key_Return);
        QComboBox* list = column == 5   ? Grid().DBComboBoxEh1
                          : column == 9 ? Grid().DBComboBoxEh2
                                        : OpenEditor<QComboBox>();
        return list && Pick(*list, entry);
    }

    // Picks an entry of a list that is open: the entry highlighted, then Enter.
    static bool Pick(QComboBox& list, const QString& entry) {
        const int position = list.findText(entry);
        QAbstractItemView* view = list.view();
        if (position < 0 || !view->isVisible()) return false;
        view->setCurrentIndex(list.model()->index(position, list.modelColumn()));
        QTest::keyClick(view, Qt::Key_Return);
        return !view->isVisible();
    }

    // Turns the mouse wheel both ways over a cell, on what lies over it (an editor, a list) or
    // else the grid; returns that widget.
    static QWidget& WheelOver(QTableView& grid, const QModelIndex& cell) {
        const QPoint centre = grid.visualRect(cell).center();
        QWidget* over = grid.viewport()->childAt(centre);
        QWidget& target = over ? *over : *grid.viewport();
        const QPoint at = target.mapFrom(grid.viewport(), centre);
        for (int step : {-120, -120, 120}) {
            QWheelEvent wheel(at, target.mapToGlobal(at), QPoint(), QPoint(0, step), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&target, &wheel);
        }
        return target;
    }

    // A column as the file holds it now, read through a connection of its own.
    std::string FileText(const char* sql, int row, const char* column) {
        Connection connection;
        if (!connection.Open(store.Path()).ok()) return "<no store>";
        Query query(connection);
        if (!query.Open(sql).ok()) return "<no query>";
        return query.TextAt(row, column);
    }
};

}  // namespace q36::test
