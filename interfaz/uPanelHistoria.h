#pragma once
// The history panel: beside the canvas, one row per step of the history
// after a first row "Inicio" (the structure the history starts from). The
// current point is selected, the undone steps greyed; a click on a row asks
// for the structure as it was right after that step. The rows are computed
// from the history when drawn, so a history of millions of steps costs no
// more than a short one.

#include <QAbstractListModel>
#include <QDockWidget>

#include <cstddef>

class QListView;
class THistoria;

class TModeloHistoria final : public QAbstractListModel {
  Q_OBJECT
public:
  // Reads the history's changes and forgets them (OlvidarCambios).
  TModeloHistoria(THistoria& historia, QObject* padre);
  int rowCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int rol) const override;
  // The history changed: the rows after its unchanged steps are replaced.
  void Actualizar();

private:
  THistoria& Historia_;
  // The rows the view was last told of.
  int Filas_ = 1;
};

class TPanelHistoria final : public QDockWidget {
  Q_OBJECT
public:
  TPanelHistoria(THistoria& historia, QWidget* padre);
  void Actualizar();
  QListView* Lista() const { return Lista_; }
  TModeloHistoria* Modelo() const { return Modelo_; }

Q_SIGNALS:
  // Row k was clicked: the state after k steps is asked for.
  void Elegido(std::size_t k);

private:
  const THistoria& Historia_;
  TModeloHistoria* Modelo_;
  QListView* Lista_;
};
