#pragma once
// The program's windows in their creation order: the main window first (its
// start-up runs before any dialog exists), then the presentation, step and
// animation dialogs, created hidden and living as long as the main window.

#include "uPlataforma.h"

#include <memory>

class TVentPpal;
class TDlgPres;
class TDlgPaso;
class TDlgAnimacion;

class TPrograma {
public:
  explicit TPrograma(TPlataforma plataforma);
  ~TPrograma();
  TPrograma(const TPrograma&) = delete;
  TPrograma& operator=(const TPrograma&) = delete;

  TVentPpal* VentPpal() const { return VentPpal_.get(); }
  TDlgPres* DlgPres() const { return DlgPres_; }
  TDlgPaso* DlgPaso() const { return DlgPaso_; }
  TDlgAnimacion* DlgAnimacion() const { return DlgAnimacion_; }

private:
  std::unique_ptr<TVentPpal> VentPpal_;
  TDlgPres* DlgPres_ = nullptr;  // children of the main window
  TDlgPaso* DlgPaso_ = nullptr;
  TDlgAnimacion* DlgAnimacion_ = nullptr;
};
