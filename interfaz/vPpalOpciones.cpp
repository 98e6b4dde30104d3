// The main window's presentation settings: read once at the first showing,
// written once at close. While the program runs they live in the dialogs and
// in the window's fields.
#include "vPpal.h"

#include "dAnimacion.h"
#include "dPaso.h"
#include "dPresentacion.h"
#include "uPanelHistoria.h"

void TVentPpal::LeerOpciones() {
  AplicarOpciones(Plataforma_.Almacen ? ::LeerOpciones(*Plataforma_.Almacen) : TOpciones{});
}

void TVentPpal::AplicarOpciones(const TOpciones& o) {
  if (DlgPres_) {
    DlgPres_->PonerAjustes(o.Presentacion(DlgPres_->Ajustes()));
    DlgPres_->PonerAlgoritmos(o.Algoritmos);
  }
  AplicarVariante();
  TAjustesLienzo a = Lienzo_->Ajustes();
  a.Radio = o.NodRad;
  a.SepX = o.NodSx;
  a.SepY = o.NodSy;
  Lienzo_->PonerAjustes(a);
  ValMax_ = o.ValMax;
  PausaAnim_ = o.PausaAnim;
  PausaPres_ = o.PausaPres;
  PausaNumEtap_ = o.PausaNumEtap;
  if (Ficheros_)
    Ficheros_->Carpeta = o.CarpetaFicheros;
  if (DlgAnimacion_)
    DlgAnimacion_->PonerAjustes(o.Animacion());
  if (DlgPaso_) {
    DlgPaso_->PonerLugar(o.LugarPaso);
    DlgPaso_->PonerVelocidad(o.VelocidadPaso);
    DlgPaso_->PonerVerPseudocodigo(o.VerPseudocodigo);
  }
  if (PanelHistoria_)
    PanelHistoria_->setVisible(o.VerHistoria);
  if (o.ColFon != TOpciones{}.ColFon)
    Imagenes_.TintarSombras(o.ColFon);
}

TOpciones TVentPpal::OpcionesActuales() const {
  TOpciones o;
  if (DlgPres_) {
    o.PonerPresentacion(DlgPres_->Ajustes());
    o.Algoritmos = DlgPres_->Algoritmos();
  }
  // The geometry as last laid out.
  o.NodRad = Lienzo_->Ajustes().Radio;
  o.NodSx = Lienzo_->Ajustes().SepX;
  o.NodSy = Lienzo_->Ajustes().SepY;
  o.ValMax = ValMax_;
  o.PausaAnim = PausaAnim_;
  o.PausaPres = PausaPres_;
  o.PausaNumEtap = PausaNumEtap_;
  if (Ficheros_)
    o.CarpetaFicheros = Ficheros_->Carpeta;
  if (DlgPaso_) {
    o.LugarPaso = DlgPaso_->Lugar();
    o.VelocidadPaso = DlgPaso_->Velocidad();
    o.VerPseudocodigo = DlgPaso_->VerPseudocodigo();
  }
  if (PanelHistoria_)
    o.VerHistoria = !PanelHistoria_->isHidden();
  return o;
}

bool TVentPpal::GuardarOpciones() {
  return Plataforma_.Almacen && ::GuardarOpciones(*Plataforma_.Almacen, OpcionesActuales());
}
