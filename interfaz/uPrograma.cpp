#include "uPrograma.h"

#include "dAnimacion.h"
#include "dPaso.h"
#include "dPresentacion.h"
#include "vPpal.h"

TPrograma::TPrograma(TPlataforma plataforma) {
  auto selectores = plataforma.Selectores;
  VentPpal_ = std::make_unique<TVentPpal>(std::move(plataforma));
  DlgPres_ = new TDlgPres(VentPpal_.get(), std::move(selectores));
  DlgPaso_ = new TDlgPaso(VentPpal_.get());
  DlgAnimacion_ = new TDlgAnimacion(VentPpal_.get());
  DlgPres_->hide();
  DlgPaso_->hide();
  DlgAnimacion_->hide();
  VentPpal_->AsignarDialogos(DlgPres_, DlgPaso_, DlgAnimacion_);
}

TPrograma::~TPrograma() = default;
