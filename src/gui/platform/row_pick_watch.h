// Tells when the user picks a row of an item view: the current row moved by
// the keyboard or the mouse, or a click on the row that already was current
// (after another list showed another card, a click must show this one
// again). Moves the program makes itself, such as refilling the list and
// putting the selection back, happen inside a Quiet and are not picks.
// The lists that show cards use it to say which card the user chose.
#pragma once

#include <QModelIndex>
#include <QObject>
#include <functional>

class QAbstractItemView;

namespace quillet {

class RowPickWatch : public QObject {
 public:
  // `view` must have its model; `picked` hears of every pick.
  RowPickWatch(QAbstractItemView& view, std::function<void(const QModelIndex&)> picked);

  // While one lives, the current row moves without a pick.
  class Quiet {
   public:
    explicit Quiet(RowPickWatch& watch) : watch_(watch) { ++watch_.quiet_; }
    ~Quiet() { --watch_.quiet_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    RowPickWatch& watch_;
  };

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void currentMoved(const QModelIndex& current);
  void rowPressed(const QModelIndex& index);

  QAbstractItemView& view_;
  std::function<void(const QModelIndex&)> picked_;
  int quiet_ = 0;
  bool pickedInPress_ = false;
};

}  // namespace quillet
