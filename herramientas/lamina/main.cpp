// quelvar-lamina: runs OPs as quelvar-traza does and draws every stage with
// the canvas's own drawing, one page per picture: a PDF with the captions as
// text, or a folder of PNG pictures (0001.png ...) and an indice.html.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryDir>

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "uAleatorio.h"
#include "uDibujo.h"
#include "uGrabacion.h"
#include "uImagenes.h"
#include "uTraza.h"

namespace {

constexpr const char* kNombre = "quelvar-lamina";
constexpr int kBanda = 64;  // the caption band below a picture in the PDF

struct TOpciones {
  std::string Salida, Modo = "dibujos";
  int Ancho = 1280, Alto = 720;
};

// What the canvas shows of a structure in a W x H view at zoom 1: its
// layout's extent framed as the canvas frames it (centred when it fits,
// around its root when larger), the nodes where the structure says.
QImage Dibujar(const TArbolBin& Arbol, const TMedidasTraza& M, TAjustesDibujo Aj, int W, int H) {
  std::unique_ptr<TArbolBin> copia = Arbol.Clonar();
  TDistribucion d = DistribuirMedidas(*copia, M);  // EArbol: too large to lay out
  const std::int32_t ancho = std::max(d.Ancho, AnchoFilaVector(*copia, M.Radio, Aj.Fuente)), alto = d.Alto;
  const TNodoBin* raiz = Arbol.Raiz;
  const auto encuadre = [](std::int32_t extension, int vista, std::optional<std::int32_t> centro) {
    if (vista >= extension) return static_cast<int>((std::int64_t{extension} - vista) / 2);
    const std::int64_t x = centro ? std::int64_t{*centro} - vista / 2 : 0;
    return static_cast<int>(std::max<std::int64_t>(0, std::min<std::int64_t>(x, std::int64_t{extension} - vista - 1)));
  };
  Aj.DesplX = encuadre(ancho, W, raiz ? std::optional(raiz->X) : std::nullopt);
  Aj.DesplY = encuadre(alto, H, raiz ? std::optional(raiz->Y) : std::nullopt);
  Aj.R = M.Radio;
  QImage imagen(W, H, QImage::Format_RGB32);
  DibujarEstructura(imagen, Arbol, Aj);
  return imagen;
}

QString NombreOp(const TOpTraza& Op, const TArbolBin& Arbol) {
  const QString n = QString::number(Op.N), en = QStringLiteral(" en ") + QString::fromStdString(Arbol.NombreTipo());
  switch (Op.Clase) {
    case TClaseOp::Entrada:
      return Op.N >= 0 ? "Inserción de " + n + en : "Borrado de " + QString::fromStdString(Op.Texto.substr(1)) + en;
    case TClaseOp::Busqueda: return "Búsqueda de " + n + en;
    case TClaseOp::Fibonacci: return "Árbol de Fibonacci de orden " + n + en;
    case TClaseOp::Desordenado: return QString::number(Op.N) + " valores desordenados" + en;
    case TClaseOp::Monticulo: return "Creación del montículo" + en;
  }
  return {};
}

// A page: the picture and its three caption lines (title, description,
// operation and stage).
using TPagina = std::function<void(const QImage&, const QStringList&)>;

// Where the pages go; Terminar puts them under the final name, or raises.
class TDestino {
public:
  TDestino(const QString& nombre, int W, int H) : Nombre_(nombre) {
    Pdf_ = nombre.endsWith(".pdf", Qt::CaseInsensitive);
    if (Pdf_) {
      Fichero_.emplace(nombre);
      if (!Fichero_->open(QIODevice::WriteOnly)) Fallar(Fichero_->errorString());
      Escritor_.emplace(&*Fichero_);
      Escritor_->setResolution(72);  // a point per pixel
      Escritor_->setPageSize(QPageSize(QSizeF(W, H + kBanda), QPageSize::Point));
      Escritor_->setPageMargins(QMarginsF(0, 0, 0, 0));
      Escritor_->setCreator(kNombre);
      return;
    }
    // A folder is written whole beside its final place, then renamed.
    const QFileInfo info(nombre);
    const auto todo = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    if (info.exists() && !(info.isDir() && QDir(nombre).isEmpty(todo)))
      throw TFalloTraza{1, "la salida " + nombre.toStdString() + " ya existe y no es una carpeta vacía"};
    Carpeta_.emplace(info.absolutePath() + "/." + info.fileName() + "-XXXXXX");
    if (!Carpeta_->isValid()) Fallar(Carpeta_->errorString());
  }

  void Pagina(const QImage& imagen, const QStringList& textos) {
    ++Num_;
    if (Pdf_) {
      if (Num_ > 1 && !Escritor_->newPage()) Fallar("no se pudo añadir una página");
      if (!Pintor_.isActive() && !Pintor_.begin(&*Escritor_)) Fallar("no se pudo empezar el documento");
      Pintor_.drawImage(0, 0, imagen);
      QFont f = Pintor_.font();
      f.setPixelSize(14);
      for (int i = 0; i < textos.size(); ++i) {
        f.setBold(i == 0);
        Pintor_.setFont(f);
        Pintor_.drawText(QRect(8, imagen.height() + 2 + 20 * i, imagen.width() - 16, 20),
                         Qt::AlignLeft | Qt::AlignVCenter, textos[i]);
      }
      return;
    }
    const QString nombre = QString("%1.png").arg(Num_, 4, 10, QChar('0'));
    if (!imagen.save(Carpeta_->filePath(nombre), "PNG")) Fallar("no se pudo guardar " + nombre);
    Indice_ += "<figure><img src=\"" + nombre + "\" alt=\"" + nombre + "\"><figcaption><b>" +
               textos.value(0).toHtmlEscaped() + "</b><br>" + textos.value(1).toHtmlEscaped() + "<br>" +
               textos.value(2).toHtmlEscaped() + "</figcaption></figure>\n";
  }

  void Terminar() {
    if (Pdf_) {
      if (!Pintor_.end() || !Fichero_->commit()) Fallar(Fichero_->errorString());
      return;
    }
    QSaveFile indice(Carpeta_->filePath("indice.html"));
    const QByteArray html = "<!DOCTYPE html>\n<html lang=\"es\"><head><meta charset=\"utf-8\"><title>" +
                            QFileInfo(Nombre_).fileName().toHtmlEscaped().toUtf8() + "</title></head><body>\n" +
                            Indice_.toUtf8() + "</body></html>\n";
    if (!indice.open(QIODevice::WriteOnly) || indice.write(html) != html.size() || !indice.commit())
      Fallar(indice.errorString());
    // rename(2) takes the place of an empty folder and of nothing else.
    if (std::rename(Carpeta_->path().toLocal8Bit().constData(), Nombre_.toLocal8Bit().constData()) != 0)
      Fallar(QString::fromLocal8Bit(std::strerror(errno)));
    Carpeta_->setAutoRemove(false);
  }

private:
  [[noreturn]] void Fallar(const QString& motivo) {
    throw TFalloTraza{1, "no se puede escribir la salida " + Nombre_.toStdString() + ": " + motivo.toStdString()};
  }

  QString Nombre_;
  bool Pdf_ = false;
  int Num_ = 0;
  std::optional<QSaveFile> Fichero_;  // cancelled unless committed
  std::optional<QPdfWriter> Escritor_;
  QPainter Pintor_;
  std::optional<QTemporaryDir> Carpeta_;  // removed unless renamed
  QString Indice_;
};

int Programa(int argc, char** argv) {
  TOpciones o;
  std::optional<TEntradaTraza> e = LeerEntradaTraza(
      argc, argv, kNombre,
      "Dibuja cada etapa de las operaciones sobre una estructura como páginas de un PDF o como imágenes PNG.",
      [&o](CLI::App& app) {
        app.add_option("--salida", o.Salida, "FICHERO.pdf, o una carpeta para las imágenes PNG")->required();
        app.add_option("--modo", o.Modo, "dibujos (por omisión), sin-texto o imagenes")
            ->check(CLI::IsMember({"dibujos", "sin-texto", "imagenes"}));
        app.add_option("--ancho", o.Ancho, "ancho de la vista (1280)")->check(CLI::Range(16, 8192));
        app.add_option("--alto", o.Alto, "alto de la vista (720)")->check(CLI::Range(16, 8192));
      },
      stdout);
  if (!e) return 0;

  TAjustesDibujo aj;
  aj.TipoGraf = o.Modo == "dibujos" ? 0 : o.Modo == "sin-texto" ? 1 : 2;
  TImagenesNodos imagenes;
  TCapasDibujo capas;
  if (aj.TipoGraf == 2) {
    if (!imagenes.CargarImagenes(false))
      throw TFalloTraza{1, "no se encuentran las imágenes de los nodos en la carpeta " +
                               QDir::currentPath().toStdString()};
    capas.Actualizar(imagenes);
    aj.Imagenes = &capas;
  }

  TDestino destino(QString::fromStdString(o.Salida), o.Ancho, o.Alto);
  TArbolBin& arbol = *e->Arbol;
  const TMedidasTraza& m = e->Medidas;
  const auto dibujo = [&](const TArbolBin& a) { return Dibujar(a, m, aj, o.Ancho, o.Alto); };
  for (const TOpTraza& op : e->Ops) {
    const QString nombreOp = NombreOp(op, arbol);
    TGrabacion g;
    std::optional<std::string> error;
    arbol.Deseleccionar();
    // The recording runs the OP again for every picture: each run draws the
    // same values from the program's generator as the first.
    const std::uint32_t semilla = GeneradorPrograma().Semilla;
    try {
      g.Grabar(
          arbol,
          [&](TArbolBin& a) {
            GeneradorPrograma().Semilla = semilla;
            AplicarOp(a, *e->Tipo, op);
          },
          [&](TArbolBin& a) {
            try {
              DistribuirMedidas(a, m);
            } catch (const EArbol&) {  // the canvas keeps the nodes where they stand
            }
          });
    } catch (const EArbol& fallo) {
      error = fallo.what();
    }
    const std::uint32_t semillaFin = GeneradorPrograma().Semilla;
    const std::size_t n = g.NumEtapas();
    if (!g.Completa())  // past the recording's memory budget the later stages are only counted
      EscribirFalloTraza(stderr, kNombre, "aviso: " + op.Texto + ": se dibujan " + std::to_string(n) +
                                              " etapas de " + std::to_string(n + g.EtapasOmitidas()));
    for (std::size_t k = 0; k < n; ++k) {
      const TGrabacion::TEtapa etapa = g.Etapa(k);
      const TGrabacion::TFoto foto = g.Foto(k);
      const QString pie = nombreOp + QString(" — etapa %1 de %2").arg(k + 1).arg(n);
      const QStringList textos{QString::fromUtf8(etapa.Titulo), QString::fromUtf8(etapa.Descripcion), pie};
      destino.Pagina(dibujo(*foto.Antes), textos);
      if (etapa.Tipo == 2 && foto.Despues) destino.Pagina(dibujo(*foto.Despues), textos);
    }
    GeneradorPrograma().Semilla = semillaFin;
    DistribuirMedidas(arbol, m);
    destino.Pagina(dibujo(arbol), {error ? QString::fromStdString("Error: " + *error) : QString("Resultado"),
                                   QString("%1 nodos").arg(arbol.NumNodos), nombreOp});
  }
  if (e->Ops.empty()) {  // the structure as loaded, laid out
    DistribuirMedidas(arbol, m);
    destino.Pagina(dibujo(arbol), {"Estructura", QString("%1 nodos").arg(arbol.NumNodos),
                                   QString::fromStdString(arbol.NombreTipo())});
  }
  destino.Terminar();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Without a display the pictures are drawn off screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication aplicacion(argc, argv);
  // As quelvar-traza: des:N builds the heap the program's command builds.
  GeneradorPrograma().Extraer(0);
  try {
    return Programa(argc, argv);
  } catch (const TFalloTraza& f) {
    EscribirFalloTraza(stderr, kNombre, f.Mensaje);
    return f.Codigo;
  } catch (const EArbol& f) {  // a structure too large to lay out
    EscribirFalloTraza(stderr, kNombre, f.what());
    return 1;
  } catch (const std::exception& f) {
    EscribirFalloTraza(stderr, kNombre, std::string("error interno: ") + f.what());
    return 1;
  }
}
