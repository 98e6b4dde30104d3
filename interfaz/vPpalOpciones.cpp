// The main window's presentation settings: read once at the first showing,
// written once at close. While the program runs they live in the dialogs'
// controls and in the window's fields.
#include "vPpal.h"

#include "dAnimacion.h"
#include "dPresentacion.h"

void TVentPpal::LeerOpciones() {
  const TOpciones o = Plataforma_.Almacen ? ::LeerOpciones(*Plataforma_.Almacen) : TOpciones{};
  if (DlgPres_)
    DlgPres_->PonerValores(o.TipoGraf, o.TipoDist, o.TipoDisp, o.Fuente, o.ColFon, o.ColNod,
                           o.NodRad, o.NodSx, o.NodSy);
  ColNod = o.ColNod;
  TAjustesLienzo a = Lienzo->Ajustes();
  a.Radio = o.NodRad;
  a.SepX = o.NodSx;
  a.SepY = o.NodSy;
  Lienzo->PonerAjustes(a);
  ValMax = o.ValMax;
  PausaAnim = o.PausaAnim;
  PausaPres = o.PausaPres;
  PausaNumEtap = o.PausaNumEtap;
  if (Ficheros_)
    Ficheros_->Carpeta = o.CarpetaFicheros;
  if (DlgAnimacion_)
    DlgAnimacion_->PonerValores(PausaAnim, PausaPres, PausaNumEtap);
  if (o.ColFon != TOpciones{}.ColFon)
    Imagenes.TintarSombras(o.ColFon);
}

TOpciones TVentPpal::OpcionesActuales() const {
  TOpciones o;
  if (DlgPres_) {
    o.TipoGraf = DlgPres_->TipoGraf();
    o.TipoDist = DlgPres_->TipoDist();
    o.TipoDisp = DlgPres_->TipoDisp();
    o.Fuente = DlgPres_->Fuente();
    o.ColFon = DlgPres_->ColFon();
    o.ColNod = DlgPres_->ColNod();
  }
  o.NodRad = Lienzo->Ajustes().Radio;
  o.NodSx = Lienzo->Ajustes().SepX;
  o.NodSy = Lienzo->Ajustes().SepY;
  o.ValMax = ValMax;
  o.PausaAnim = PausaAnim;
  o.PausaPres = PausaPres;
  o.PausaNumEtap = PausaNumEtap;
  if (Ficheros_)
    o.CarpetaFicheros = Ficheros_->Carpeta;
  return o;
}

bool TVentPpal::GuardarOpciones() {
  return Plataforma_.Almacen && ::GuardarOpciones(*Plataforma_.Almacen, OpcionesActuales());
}
