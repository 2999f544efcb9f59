#pragma once

#include <QAbstractItemView>

class QTableWidget;
class QWidget;

namespace platform {

// Keeps a list's selection in its colour when the list loses the focus.
void KeepSelectionVisible(QWidget& view);

// Sets a table up as a report list: no row header, grid lines, one text line
// a row, whole rows selected, no editing, and a selection that keeps its
// colour when the list loses the focus.
void MakeReportView(QTableWidget& view, QAbstractItemView::SelectionMode selection);

}  // namespace platform
