// quelvar-lamina: runs OPs as quelvar-traza does and draws every stage with
// the canvas's own drawing, one page per picture: a PDF with the captions as
// text, or a folder of PNG pictures (0001.png ...) and an indice.html.
#include <QGuiApplication>
#include <QStringList>

#include <CLI/CLI.hpp>

#include <exception>
#include <optional>
#include <string>

#include "uAleatorio.h"
#include "uAlmacenQSettings.h"
#include "uDibujo.h"
#include "uGrabacion.h"
#include "uHistoria.h"
#include "uImagenes.h"
#include "uLamina.h"
#include "uOpciones.h"
#include "uTraza.h"

namespace {

constexpr const char* kNombre = "quelvar-lamina";

struct TArgumentos {
  std::string Salida, Modo = "dibujos";
  int Ancho = 1280, Alto = 720;
  bool Almacen = false;  // --opciones
  bool SinPseudocodigo = false;
  // Given on the command line, so the store does not override them.
  bool ModoDado = false, RadioDado = false, SepXDado = false, SepYDado = false, DistDada = false;
};

QString NombreOp(const TOpTraza& Op, const TArbolBin& Arbol) {
  const QString en = QStringLiteral(" en ") + QString::fromStdString(Arbol.NombreTipo());
  switch (Op.Clase) {
    case TClaseOp::Entrada:
      return NombreOperacion({Op.N >= 0 ? TPaso::Insercion : TPaso::Borrado, Op.N >= 0 ? Op.N : Negada(Op.N)},
                             Arbol);
    case TClaseOp::Busqueda: return NombreOperacion({TPaso::Busqueda, Op.N}, Arbol);
    case TClaseOp::Monticulo: return NombreOperacion({TPaso::Monticulo, 0}, Arbol);
    case TClaseOp::Fibonacci: return "Árbol de Fibonacci de orden " + QString::number(Op.N) + en;
    case TClaseOp::Desordenado: return QString::number(Op.N) + " valores desordenados" + en;
  }
  return {};
}

// The presentation settings the program keeps in its settings store, for
// whatever the command line leaves unsaid; returns the stored placement
// (1: the root fixed at the top).
int AjustesDelAlmacen(const TArgumentos& o, TAjustesDibujo& aj, TMedidasTraza& m) {
  TAlmacenQSettings almacen;
  const ::TOpciones guardadas = LeerOpciones(almacen);
  aj.ColFon = guardadas.ColFon;
  aj.Fuente = guardadas.Fuente;
  if (!o.ModoDado) aj.TipoGraf = guardadas.TipoGraf;
  if (!o.RadioDado) m.Radio = guardadas.NodRad;
  if (!o.SepXDado) m.SepX = guardadas.NodSx;
  if (!o.SepYDado) m.SepY = guardadas.NodSy;
  if (!o.DistDada)
    m.Distribucion = guardadas.TipoDist == 1   ? TDistribucionTraza::Comprimida
                     : guardadas.TipoDist == 2 ? TDistribucionTraza::Completa
                                               : TDistribucionTraza::Separada;
  return guardadas.TipoDisp;
}

int Programa(int argc, char** argv) {
  TArgumentos o;
  int tipoDisp = 0;
  std::optional<TEntradaTraza> e = LeerEntradaTraza(
      argc, argv, kNombre,
      "Dibuja cada etapa de las operaciones sobre una estructura como páginas de un PDF o como imágenes PNG.",
      [&o](CLI::App& app) {
        app.add_option("--salida", o.Salida, "FICHERO.pdf, o una carpeta para las imágenes PNG")->required();
        app.add_option("--modo", o.Modo, "dibujos (por omisión), sin-texto o imagenes")
            ->check(CLI::IsMember({"dibujos", "sin-texto", "imagenes"}));
        app.add_option("--ancho", o.Ancho, "ancho de la vista (1280)")->check(CLI::Range(16, 8192));
        app.add_option("--alto", o.Alto, "alto de la vista (720)")->check(CLI::Range(16, 8192));
        app.add_flag("--opciones", o.Almacen,
                     "la presentación guardada por el programa (fuente, colores, modo, radio, separaciones, "
                     "distribución) para lo que no se dé aquí");
        app.add_flag("--sin-pseudocodigo", o.SinPseudocodigo,
                     "sin el algoritmo con la línea de cada etapa bajo el dibujo (PDF) o a su lado (índice)");
        app.parse_complete_callback([&app, &o] {
          o.ModoDado = app.count("--modo") > 0, o.RadioDado = app.count("--radio") > 0;
          o.SepXDado = app.count("--sepx") > 0, o.SepYDado = app.count("--sepy") > 0;
          o.DistDada = app.count("--distribucion") > 0;
        });
      },
      stdout);
  if (!e) return 0;

  TAjustesDibujo aj;
  aj.TipoGraf = o.Modo == "dibujos" ? 0 : o.Modo == "sin-texto" ? 1 : 2;
  TMedidasTraza& m = e->Medidas;
  if (o.Almacen) tipoDisp = AjustesDelAlmacen(o, aj, m);
  aj.R = m.Radio;
  TImagenesNodos imagenes;
  TCapasDibujo capas;
  if (aj.TipoGraf == 2) {
    const QStringList carpetas = CarpetasImagenes();
    if (!imagenes.CargarDeCarpetas(false, carpetas))
      throw TFalloTraza{1, "no se encuentran las imágenes de los nodos en las carpetas " +
                               carpetas.join(QStringLiteral(", ")).toStdString()};
    if (aj.ColFon != TAjustesDibujo{}.ColFon) imagenes.TintarSombras(aj.ColFon);
    capas.Actualizar(imagenes);
    aj.Imagenes = &capas;
  }

  TLamina lamina(QString::fromStdString(o.Salida), {o.Ancho, o.Alto}, kNombre);
  TArbolBin& arbol = *e->Arbol;
  const auto dibujar = [&](const TArbolBin& a) {
    return DibujarVista(a, [&m](TArbolBin& c) { return DistribuirMedidas(c, m); }, aj, {o.Ancho, o.Alto},
                        tipoDisp == 1);
  };
  for (const TOpTraza& op : e->Ops) {
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
    if (!g.Completa())  // past the recording's memory budget the later stages are only counted
      EscribirFalloTraza(stderr, kNombre, "aviso: " + op.Texto + ": se dibujan " + std::to_string(g.NumEtapas()) +
                                              " etapas de " + std::to_string(g.NumEtapas() + g.EtapasOmitidas()));
    // As the window ends an operation: only a search leaves its key selected.
    if (op.Clase != TClaseOp::Busqueda) arbol.Deseleccionar();
    DistribuirMedidas(arbol, m);
    PaginasGrabacion(lamina, g, NombreOp(op, arbol), arbol, dibujar, error ? QString::fromStdString(*error) : "",
                     !o.SinPseudocodigo);
    GeneradorPrograma().Semilla = semillaFin;
  }
  if (e->Ops.empty()) {  // the structure as loaded, laid out
    DistribuirMedidas(arbol, m);
    lamina.Operacion(QString::fromStdString(arbol.NombreTipo()));
    lamina.Pagina(dibujar(arbol), {"Estructura", QString("%1 nodos").arg(arbol.NumNodos),
                                   QString::fromStdString(arbol.NombreTipo())});
  }
  lamina.Terminar();
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
  } catch (const ELamina& f) {
    EscribirFalloTraza(stderr, kNombre, f.what());
    return 1;
  } catch (const EArbol& f) {  // a structure too large to lay out
    EscribirFalloTraza(stderr, kNombre, f.what());
    return 1;
  } catch (const std::exception& f) {
    EscribirFalloTraza(stderr, kNombre, std::string("error interno: ") + f.what());
    return 1;
  }
}
