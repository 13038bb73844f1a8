#include "lookup/KeywordList.h"

#include <QHeaderView>
#include <QItemSelectionModel>

namespace lookup {

int KeywordModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(keys_.size());
}

QVariant KeywordModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= keys_.size()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return keys_.at(index.row());
  return {};
}

QVariant KeywordModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
    return QStringLiteral("Keywords");
  return {};
}

Qt::ItemFlags KeywordModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void KeywordModel::setKeys(const QStringList& keys) {
  beginResetModel();
  keys_ = keys;  // shared, not copied
  endResetModel();
}

KeywordList::KeywordList(QWidget* parent) : QTreeView(parent), model_(new KeywordModel(this)) {
  setModel(model_);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);  // keeps long lists quick to lay out and scroll
  setSortingEnabled(false);    // items stay in the order they are added
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
}

void KeywordList::setKeys(const QStringList& keys) { model_->setKeys(keys); }

QString KeywordList::headerText() const {
  return model_->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString();
}

std::optional<QString> KeywordList::selectedText() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return model_->keys().value(rows.first().row());
}

void KeywordList::selectRow(int row) {
  const QModelIndex index = model_->index(row, 0);
  setCurrentIndex(index);
  selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QRect KeywordList::rowRect(int row) const { return visualRect(model_->index(row, 0)); }

}  // namespace lookup
