// The main window's drawing services: layout with scroll bars and offsets,
// drawing into the off-screen picture, copying it to the canvas, and the
// statistics in the status bar.
#include "vPpal.h"

#include "dPresentacion.h"

#include <QPainter>

void TVentPpal::ConectarLienzo() {
  connect(Lienzo, &TLienzo::Pintar, this, [this](QPainter& pintor) {
    pintor.fillRect(Lienzo->rect(), DlgPres_ ? ColorQt(DlgPres_->ColFon()) : Qt::white);
  });
}

void TVentPpal::Distribuir() {
  if (DlgPres_) {
    NodRad = DlgPres_->NodoRad();
    NodSx = DlgPres_->NodoSx();
    NodSy = DlgPres_->NodoSy();
  }
}

void TVentPpal::Dibujar() {
  if (DlgPres_)
    ColNod = DlgPres_->ColNod();
}

void TVentPpal::LienzoPaint() { Lienzo->update(); }

void TVentPpal::Refrescar() {
  Distribuir();
  Dibujar();
  LienzoPaint();
}

void TVentPpal::ActualizarEstado() {}
void TVentPpal::sbHorizChange(int) {}
void TVentPpal::sbVertChange(int) {}

void TVentPpal::ActConfiguracionExecute() {
  if (Bloqueado || !DlgPres_)
    return;
  DlgPres_->MostrarOpciones([this] { Refrescar(); });
}

void TVentPpal::ActComprimirExecute() {}
