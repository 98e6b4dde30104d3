#pragma once
// The whole program with the fake platform, and the helpers the window suites share.
#include "dAnimacion.h"
#include "dPaso.h"
#include "dPresentacion.h"
#include "plataforma_falsa.h"
#include "uAleatorio.h"
#include "uPrograma.h"
#include "vPpal.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <functional>
#include <initializer_list>

// A window's control found by object name; null when it has none.
template <class T = QWidget> T* Control(const QWidget* ventana, const char* nombre) {
  return ventana->findChild<T*>(QString::fromLatin1(nombre));
}
// The text a control shows; empty when it has none.
inline QString Texto(const QWidget* ventana, const char* nombre) {
  const QWidget* w = Control(ventana, nombre);
  return w ? w->property(qobject_cast<const QPlainTextEdit*>(w) ? "plainText" : "text").toString() : QString();
}

// The window's settings with a change, applied as read from the store.
template <class F> void Ajustar(TVentPpal& v, F cambio) {
  TOpciones o = v.OpcionesActuales();
  cambio(o);
  v.AplicarOpciones(o);
}

struct TEntorno {
  // Rapido: shown (so the settings are read), with short timings. Oculto: as built, nothing read yet.
  enum TInicio { Rapido, Oculto };
  explicit TEntorno(const QString& fichero, TInicio inicio = Rapido, int colores = -1)
      : Plataforma(fichero, colores), Programa(Plataforma.Plataforma) {
    if (inicio == Oculto) return;
    V().show();
    Ajustar(V(), [](TOpciones& o) { o.PausaAnim = 20, o.PausaNumEtap = 4, o.PausaPres = 5; });
  }
  TVentPpal& V() { return *Programa.VentPpal(); }
  TDlgPres& Pres() { return *Programa.DlgPres(); }
  TDlgPaso* Paso() { return V().DlgPaso(); }  // guarded: nil once a test destroyed it
  QStringList& Mensajes() { return Plataforma.Mensajes->Textos; }
  // The structure with the keys inserted, without reports, put in place as an opened file is.
  template <class R = std::initializer_list<std::int32_t>> void Llenar(const R& claves) {
    std::unique_ptr<TArbolBin> a = V().Estructura().Clase()();
    a->Cargar(V().Estructura().Guardar());
    for (std::int32_t c : claves) a->Insertar(c);
    V().PonerEstructura(std::move(a));
  }
  bool Contiene(std::int32_t clave) { return V().Estructura().BuscarNodo(V().Estructura().Raiz, clave); }
  // Locked as by a node motion, one that outlasts the test.
  void Bloquear() {
    Ajustar(V(), [](TOpciones& o) { o.PausaAnim = 10000, o.PausaNumEtap = 2; });
    V().IniciarAnimacion();
  }
  // Types the text into the value box and presses Enter.
  void Teclear(const QString& t) { V().edtValor()->setText(t), QTest::keyClick(V().edtValor(), Qt::Key_Return); }
  // Runs a command and waits for the motion it may have started to end.
  void Orden(TVentPpal::TComando c) { Orden(V().Accion(c)); }
  void Orden(QAction* a) { a->trigger(), Esperar(); }
  void Esperar() { QTRY_VERIFY_WITH_TIMEOUT(!V().Lienzo().EnMovimiento() && !V().Bloqueado(), 10000); }
  // "+k" inserts k, "-k" deletes it, typed into the value box.
  void Hacer(const QString& orden) {
    V().lisOperacion()->setCurrentIndex(orden.startsWith(QLatin1Char('+')) ? 1 : 2);
    Teclear(orden.mid(1));
    Esperar();
  }
  // A new structure of the kind (0 to 4) built by the commands given.
  void Construir(int tipo, const QStringList& ordenes) {
    Orden(kNuevo[tipo]);
    for (const QString& o : ordenes) Hacer(o);
  }
  QByteArray Flujo() { return Bytes(V().Estructura().Guardar()); }
  static QByteArray Bytes(const std::vector<std::uint8_t>& b) {
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
  }
  // Queues the answer of the next file chooser; with a command, runs it.
  void Elegir(const QString& ruta, int f) { Plataforma.Ficheros->Respuestas.push_back(TFicheroElegido{ruta, f}); }
  void Elegir(const QString& ruta, int f, TVentPpal::TComando c) { Elegir(ruta, f), Orden(c); }
  // The command that starts an empty structure of each kind, in the kinds' order.
  static constexpr TVentPpal::TComando kNuevo[] = {TVentPpal::cNuevo1, TVentPpal::cNuevo2, TVentPpal::cNuevo3,
                                                   TVentPpal::cNuevo4, TVentPpal::cNuevo5};
  TPlataformaPrueba Plataforma;
  TPrograma Programa;
};

// The keys of a structure, sorted.
inline std::vector<std::int32_t> Claves(const TArbolBin& a) {
  std::vector<std::int32_t> r;
  RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { r.push_back(n->Valor); });
  std::sort(r.begin(), r.end());
  return r;
}
inline TNodoBin* Nodo(const TArbolBin& a, std::int32_t clave) {
  return RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { return n->Valor == clave; });
}
inline QByteArray LeerFichero(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
inline bool EscribirFichero(const QString& ruta, const QByteArray& datos) {
  QFile f(ruta);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(datos) == datos.size();
}
// An operation list file's bytes: each entry 32 bits, little-endian.
template <class R> QByteArray Entradas(const R& entradas) {
  QByteArray b;
  for (std::int32_t v : entradas)
    for (int k = 0; k < 4; ++k) b.append(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF));
  return b;
}
// The program's generator is shared by the whole process: a test that sets its seed puts the old one back.
struct TSemillaGuardada {
  explicit TSemillaGuardada(std::uint32_t nueva) { GeneradorPrograma().Semilla = nueva; }
  ~TSemillaGuardada() { GeneradorPrograma().Semilla = Antes; }
  std::uint32_t Antes = GeneradorPrograma().Semilla;
};
