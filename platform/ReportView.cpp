#include "platform/ReportView.h"

#include <QHeaderView>
#include <QTableWidget>

namespace platform {

void KeepSelectionVisible(QWidget& view) {
  QPalette palette = view.palette();
  for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  view.setPalette(palette);
}

void MakeReportView(QTableWidget& view, QAbstractItemView::SelectionMode selection) {
  view.verticalHeader()->hide();
  view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() + 5);
  view.setShowGrid(true);
  view.setWordWrap(false);
  view.setSelectionBehavior(QAbstractItemView::SelectRows);
  view.setSelectionMode(selection);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  KeepSelectionVisible(view);
}

}  // namespace platform
