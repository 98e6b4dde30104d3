#pragma once
// A storyboard: the pictures of an operation's stages with their captions,
// written as the pages of a PDF (the captions as real text, an outline entry
// per operation, the pictures stored losslessly) or as a folder of numbered
// PNG pictures with an index page. Nothing appears under the final name
// until the whole storyboard is written: a PDF goes through QSaveFile, a
// folder is written as a hidden sibling and renamed at the end.

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>

class TArbolBin;
class TGrabacion;
struct TListado;
struct TPaso;

// An output that cannot be written; what() is a Spanish sentence.
class ELamina : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TLamina {
public:
  // nombre: a file ending in ".pdf" (any case) for a PDF, anything else a
  // folder that must not exist yet or be empty. vista: the pictures' size.
  // Raises ELamina when the output cannot be started.
  TLamina(const QString& nombre, QSize vista, const QString& creador);
  ~TLamina();  // without Terminar, nothing is left behind
  TLamina(const TLamina&) = delete;
  TLamina& operator=(const TLamina&) = delete;

  // The pages from the next one on belong to this operation: an outline
  // entry in a PDF, a heading in the index.
  void Operacion(const QString& titulo);
  // A page: the picture (of the size given) and its caption lines: title,
  // description, and the operation with the stage's number. In a PDF a line
  // wider than the page wraps, and the page grows taller to hold it.
  // listado: the algorithm the stage belongs to, with its line `linea`
  // (from 1) lit: under the captions in a PDF (the page grows for it),
  // beside the picture in the index; the pictures stay as drawn.
  void Pagina(const QImage& imagen, const QStringList& textos, const TListado* listado = nullptr, int linea = 0);
  // Puts the whole storyboard under its final name, or raises ELamina.
  void Terminar();

private:
  class TDatos;
  std::unique_ptr<TDatos> D_;
};

// What an operation is called in a footer: "Inserción de 25 en Arbol AVL",
// "Borrado del mínimo en Montículo", ...
QString NombreOperacion(const TPaso& paso, const TArbolBin& arbol);

// The pages of one recorded operation: every recorded stage's picture where
// the player stops at it (a stage that lays out: after the layout; one that
// waits for "Efectuar!" twice: before and after its change),
// captioned with its title, its description and "<operacion> — etapa k de
// n"; then the result, captioned "Resultado" (or the error the operation
// ended with) and its node count. dibujar draws a structure as the canvas
// shows it. pseudocodigo: each stage's page with the listing of its line.
void PaginasGrabacion(TLamina& lamina, const TGrabacion& grabacion, const QString& operacion,
                      const TArbolBin& resultado, const std::function<QImage(const TArbolBin&)>& dibujar,
                      const QString& error = {}, bool pseudocodigo = true);
