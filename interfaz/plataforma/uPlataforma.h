#pragma once
// The platform services the window needs, behind small interfaces so tests
// can replace each one and never block on a modal window or touch the
// user's own settings.

#include "uColor.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

class QWidget;

// The display's colour depth: how many palette colours the screen shows at a
// time, or -1 when it shows more than 256.
class IProfundidadColor {
public:
  virtual ~IProfundidadColor() = default;
  virtual int ColoresPaleta() const = 0;
};

// A plain message box: the application title as caption, no icon, one OK.
class IMensajes {
public:
  virtual ~IMensajes() = default;
  virtual void Mostrar(QWidget* padre, const QString& texto) = 0;
  // A question with two answers (the buttons' texts, the first one the
  // default); true when the user chose the first, false for the second or
  // when the box was closed.
  virtual bool Preguntar(QWidget* padre, const QString& texto, const QString& si,
                         const QString& no) = 0;
};

// What a file chooser shows. The filter is a list of pairs separated by a
// vertical bar: the text shown, then the pattern or patterns separated by
// semicolons ("Arbol (*.arb)|*.arb|...").
struct TDialogoFichero {
  QString Titulo;
  QString Filtro;
  QString ExtDefecto;  // without the dot, as "ARB"
  int IndiceFiltro = 1;  // the entry shown first, counted from 1
  QString Carpeta{};  // the folder shown first; empty: the working folder
};

// A filter in that form as Qt's name filters, one per pair, with the
// patterns between parentheses separated by blanks: "Text (*.a *.b)".
QStringList FiltrosQt(const QString& filtro);

// The answer of a file chooser: the file and the filter entry selected when
// the user confirmed (counted from 1).
struct TFicheroElegido {
  QString Ruta;
  int IndiceFiltro = 1;
};

class ISelectorFicheros {
public:
  virtual ~ISelectorFicheros() = default;
  // An existing file to read; nullopt when the user cancels.
  virtual std::optional<TFicheroElegido> ElegirAbrir(QWidget* padre, const TDialogoFichero& d) = 0;
  // A file to create or overwrite (the chooser asks before overwriting).
  virtual std::optional<TFicheroElegido> ElegirGuardar(QWidget* padre, const TDialogoFichero& d) = 0;
};

// A file chooser that starts where the last file confirmed through it was:
// it fills in the folder of every chooser it shows, and keeps the folder of
// each file the user confirms.
class TSelectorConCarpeta final : public ISelectorFicheros {
public:
  explicit TSelectorConCarpeta(std::shared_ptr<ISelectorFicheros> selector)
      : Selector_(std::move(selector)) {}
  std::optional<TFicheroElegido> ElegirAbrir(QWidget* padre, const TDialogoFichero& d) override;
  std::optional<TFicheroElegido> ElegirGuardar(QWidget* padre, const TDialogoFichero& d) override;
  QString Carpeta;  // empty: none yet

private:
  std::optional<TFicheroElegido> Recordar(std::optional<TFicheroElegido> elegido);
  std::shared_ptr<ISelectorFicheros> Selector_;
};

// The one-line input box.
class IEntradaTexto {
public:
  virtual ~IEntradaTexto() = default;
  virtual std::optional<QString> Pedir(QWidget* padre, const QString& titulo,
                                       const QString& etiqueta, const QString& valor) = 0;
};

// The text font of the nodes, with its colour (one chooser sets both).
struct TFuente {
  QString Nombre = QStringLiteral("Arial");
  int Tam = 8;  // points
  TColor Color = 0;
  bool Negrita = true;
  bool Cursiva = false;
  friend bool operator==(const TFuente&, const TFuente&) = default;
};

// The colour and font choosers; nullopt when the user cancels.
class ISelectores {
public:
  virtual ~ISelectores() = default;
  virtual std::optional<TColor> ElegirColor(QWidget* padre, TColor inicial) = 0;
  virtual std::optional<TFuente> ElegirFuente(QWidget* padre, const TFuente& inicial) = 0;
};

// The per-user settings store, seen as one key holding named values.
class IAlmacenOpciones {
public:
  virtual ~IAlmacenOpciones() = default;
  // Opens the key, creating it when missing; false when it cannot be opened.
  virtual bool Abrir() = 0;
  virtual bool Existe(const QString& nombre) const = 0;
  // nullopt when the value has another type or the store refuses the read.
  virtual std::optional<std::int32_t> LeerEntero(const QString& nombre) const = 0;
  virtual std::optional<QString> LeerCadena(const QString& nombre) const = 0;
  virtual void EscribirEntero(const QString& nombre, std::int32_t valor) = 0;
  virtual void EscribirCadena(const QString& nombre, const QString& valor) = 0;
  // Closes the key and writes out what was written to it; false when the
  // store could not keep it.
  virtual bool Cerrar() = 0;
};

// Every service at once, as the window receives them.
struct TPlataforma {
  std::shared_ptr<IProfundidadColor> Pantalla;
  std::shared_ptr<IMensajes> Mensajes;
  std::shared_ptr<ISelectorFicheros> Ficheros;
  std::shared_ptr<IEntradaTexto> Entrada;
  std::shared_ptr<ISelectores> Selectores;
  std::shared_ptr<IAlmacenOpciones> Almacen;
  QStringList CarpetasImagenes;  // where the node pictures are looked for, in order
};

// The real services of the running program: Qt's dialogs, the screen, the
// per-user store of organisation "TALMERA", application "Quelvar", and the
// node pictures of the working folder or of the installation.
TPlataforma PlataformaQt();
