#include "uPanelHistoria.h"

#include "uHistoria.h"

#include <QBrush>
#include <QFont>
#include <QListView>
#include <QPalette>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// Narrow beside the canvas: the rows are short texts.
class TListaHistoria final : public QListView {
public:
  using QListView::QListView;
  QSize sizeHint() const override { return {200, 300}; }
};

}  // namespace

TModeloHistoria::TModeloHistoria(THistoria& historia, QObject* padre)
    : QAbstractListModel(padre), Historia_(historia) {}

int TModeloHistoria::rowCount(const QModelIndex& padre) const {
  if (padre.isValid())
    return 0;
  return Filas_;
}

QVariant TModeloHistoria::data(const QModelIndex& indice, int rol) const {
  const int fila = indice.row();
  if (!indice.isValid() || fila < 0 || fila >= Filas_ || static_cast<std::size_t>(fila) > Historia_.NumPasos())
    return {};
  const auto k = static_cast<std::size_t>(fila);
  switch (rol) {
  case Qt::DisplayRole:
    if (k == 0)
      return QStringLiteral("Inicio");
    return QStringLiteral("%1. %2").arg(k).arg(QString::fromStdString(Historia_.Pasos()[k - 1].Texto()));
  case Qt::ForegroundRole:
    if (k > Historia_.Actual())
      return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
    return {};
  case Qt::FontRole:
    if (k > Historia_.Actual()) {
      QFont f;
      f.setItalic(true);
      return f;
    }
    return {};
  default:
    return {};
  }
}

void TModeloHistoria::Actualizar() {
  // Row k stands for the state after k steps: the rows up to the unchanged
  // steps stay, the others are replaced.
  const int quedan = static_cast<int>(std::min<std::size_t>(Historia_.PasosSinCambio(), Filas_ - 1)) + 1;
  // At most a 32-bit count of steps: one more row for the start still fits.
  const int filas =
      static_cast<int>(std::min<std::size_t>(Historia_.NumPasos(), std::numeric_limits<int>::max() - 1)) + 1;
  Historia_.OlvidarCambios();
  if (quedan < Filas_) {
    beginRemoveRows({}, quedan, Filas_ - 1);
    Filas_ = quedan;
    endRemoveRows();
  }
  if (filas > Filas_) {
    beginInsertRows({}, Filas_, filas - 1);
    Filas_ = filas;
    endInsertRows();
  }
  // Which rows are done and which undone is read when they are drawn: the
  // panel repaints them (a change signal for them would lay out every row).
}

TPanelHistoria::TPanelHistoria(THistoria& historia, QWidget* padre)
    : QDockWidget(QStringLiteral("Historial"), padre),
      Historia_(historia),
      Modelo_(new TModeloHistoria(historia, this)),
      Lista_(new TListaHistoria(this)) {
  setObjectName(QStringLiteral("PanelHistoria"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  Lista_->setObjectName(QStringLiteral("ListaHistoria"));
  Lista_->setModel(Modelo_);
  // Every row as high as the first: a million rows lay out at once.
  Lista_->setUniformItemSizes(true);
  Lista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Lista_->setSelectionMode(QAbstractItemView::SingleSelection);
  setWidget(Lista_);
  // A click, or Enter on the row the arrow keys reached.
  const auto elegir = [this](const QModelIndex& i) {
    if (i.isValid())
      Q_EMIT Elegido(static_cast<std::size_t>(i.row()));
  };
  connect(Lista_, &QListView::clicked, this, elegir);
  connect(Lista_, &QListView::activated, this, elegir);
}

void TPanelHistoria::Actualizar() {
  Modelo_->Actualizar();
  // The current point: the last step done, or the start.
  const QModelIndex actual = Modelo_->index(static_cast<int>(std::min<std::size_t>(
      Historia_.Actual(), static_cast<std::size_t>(Modelo_->rowCount() - 1))));
  Lista_->setCurrentIndex(actual);
  Lista_->scrollTo(actual);
  Lista_->viewport()->update();
}
