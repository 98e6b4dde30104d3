#pragma once
// The presentation dialog: a modeless window that edits the drawing settings
// and applies every change at once. There is no cancel: "Aceptar" and the
// close box only hide it. Its controls (and the font and colours it keeps)
// are where the drawing settings live while the program runs.

#include "uAjustes.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

class TDlgPres : public QDialog {
  Q_OBJECT

public:
  explicit TDlgPres(QWidget* padre, std::shared_ptr<ISelectores> selectores);

  // Item indexes of the lists.
  int TipoGraf() const;
  int TipoDist() const;
  int TipoDisp() const;
  // Node radius and separations, always inside the spin ranges.
  int NodoRad() const;
  int NodoSx() const;
  int NodoSy() const;
  bool Sombras() const;
  TColor ColFon() const { return FColFon; }
  TColor ColNod() const { return FColNod; }
  const TFuente& Fuente() const { return FFuente; }

  // The algorithms the operations run: 0 the program's own, 1 the
  // textbooks'. Not a drawing setting; PonerAlgoritmos does not notify.
  int Algoritmos() const;
  void PonerAlgoritmos(int algoritmos);

  TAjustesPresentacion Ajustes() const;
  // Puts the settings in place without notifying. A list index outside its
  // list selects the first item (the default of all three lists); the
  // geometry values are clamped into the spin ranges.
  void PonerAjustes(const TAjustesPresentacion& a);
  // Changes made by the program itself (the compress/expand shortcut): they
  // do not notify either, the caller refreshes on its own.
  void PonerDistribucion(int tipoDist);
  void PonerNodoSx(int nodSx);

  // Clears FondoCambiado and shows the dialog modeless; an already visible
  // dialog comes to the front.
  void MostrarOpciones();

  // Set by a confirmed background colour; cleared by the next drawing and by
  // MostrarOpciones.
  bool FondoCambiado = false;

Q_SIGNALS:
  // Once after every change the user makes, never for the program's own.
  void Cambiado();

private:
  QComboBox* lisTipoGraf;
  QSpinBox* udNodoRad;
  QSpinBox* udNodoSx;
  QSpinBox* udNodoSy;
  QComboBox* lisDistribucion;
  QComboBox* lisDisposicion;
  QComboBox* lisAlgoritmos;
  QCheckBox* chkSombras;
  QPushButton* btnFuente;
  QPushButton* btnFondo;
  QPushButton* btnColNodo;
  QPushButton* btnAceptar;

  void edtChange();
  void btnFuenteClick();
  void btnFondoClick();
  void btnColNodoClick();
  void btnAceptarClick();

  std::shared_ptr<ISelectores> FSelectores;
  TFuente FFuente;
  TColor FColFon = ColorRGB(0xFF, 0xFF, 0xFF);
  TColor FColNod = ColorRGB(0xC0, 0xFF, 0xFF);
};
