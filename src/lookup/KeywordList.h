// The keyword list lstKeys: a report view with one column headed
// "Keywords" whose items are plain texts, kept in the order given.
//
// The items live in one shared list of texts rather than one object each, so
// that filling the list with every keyword of a large dictionary costs next
// to nothing beside reading the file.
#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <QTreeView>

#include <optional>

namespace lookup {

class KeywordModel final : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  const QStringList& keys() const { return keys_; }
  void setKeys(const QStringList& keys);

 private:
  QStringList keys_;
};

class KeywordList final : public QTreeView {
  Q_OBJECT
 public:
  explicit KeywordList(QWidget* parent = nullptr);

  // Replaces every item (an empty list empties it); the selection goes.
  void setKeys(const QStringList& keys);
  void clear() { setKeys({}); }
  int count() const { return model_->rowCount(); }
  QString text(int row) const { return model_->keys().value(row); }
  const QStringList& keys() const { return model_->keys(); }
  QString headerText() const;

  // The selected item's text; nullopt when no item is selected.
  std::optional<QString> selectedText() const;
  void selectRow(int row);
  QRect rowRect(int row) const;

 private:
  KeywordModel* model_;
};

}  // namespace lookup
