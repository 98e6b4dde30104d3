// The stages of an operation played after it ran: every state drawn the
// same whichever way it is reached and as the recording says, the timed
// playback and its pause, and commands given during a playback acting as
// they would without it.
#include "entorno.h"
#include "uGrabacion.h"
#include "uListaOper.h"
#include "uReproductor.h"

#include <QComboBox>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <optional>

namespace {

QString Valor(std::optional<std::int32_t> v) { return v ? QString::number(*v) : QStringLiteral("-"); }
QString Valor(const TNodoBin* n) { return n ? QString::number(n->Valor) : QStringLiteral("-"); }

// The state on show, checked against the recording: the step window's
// texts and button, the marks, the selection and the removed node drawn.
QImage Mirar(TVentPpal& v) {
  [&] { QTRY_VERIFY(!v.Lienzo().EnMovimiento()); }();
  const TReproductor& r = v.Reproductor();
  const TGrabacion::TEtapa e = r.Grabacion()->Etapa(static_cast<std::size_t>(r.Etapa()));
  const TArbolBin* a = v.Lienzo().Vista();
  [&] { QVERIFY(a); }();
  if (!a)
    return {};
  QStringList marcados, esperados;
  RecorrerPreorden(a->Raiz, [&](TNodoBin* n, std::int32_t) {
    if (n->Marcado)
      marcados << QString::number(n->Valor);
  });
  for (std::int32_t m : e.Marcados)
    esperados << QString::number(m);
  const QString boton = e.Tipo == 2 && !r.Despues() ? QStringLiteral("Efectuar!") : QStringLiteral("&Seguir >>");
  const QStringList visto{Texto(v.DlgPaso(), "etqEtapa"), Texto(v.DlgPaso(), "edtDescripcion"),
                          Texto(v.DlgPaso(), "btnSeguir"), marcados.join(' '), Valor(a->NodoSel), Valor(a->NodoBorrado)};
  const QStringList dicho{QString::fromUtf8(e.Titulo.data(), e.Titulo.size()),
                          QString::fromUtf8(e.Descripcion.data(), e.Descripcion.size()), boton,
                          esperados.join(' '), Valor(e.Sel), Valor(e.Borrado)};
  [&] { QCOMPARE(visto, dicho); }();
  return v.Lienzo().Imagen();
}

enum TOrden { Insertar, Deshacer, CambiarTipo, Abrir, Cerrar, Desbloquear };

}  // namespace

class PruebasEtapas : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }
  std::optional<TEntorno> E;

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }
  void cleanup() { E.reset(); }

  void EstadosIgualesPorCualquierCamino_data() {
    QTest::addColumn<int>("tipo");  // a TComando that picks the kind
    QTest::addColumn<QList<int>>("claves");
    QTest::addColumn<int>("operacion");  // lisOperacion's index, or 3: "Crear montículo"
    QTest::addColumn<int>("clave");
    QTest::newRow("AVL rotación doble") << int(TVentPpal::cNuevo2) << QList<int>{30, 10} << 1 << 20;
    QTest::newRow("rojo-negro colores y rotación")
        << int(TVentPpal::cNuevo3) << QList<int>{10, 5, 15, 1, 7, 20, 0, 2} << 1 << 3;
    QTest::newRow("splay zig-zig") << int(TVentPpal::cNuevo4) << QList<int>{1, 2, 3} << 0 << 1;
    QTest::newRow("montículo, descenso") << int(TVentPpal::cNuevo5) << QList<int>{5, 3, 8, 1, 9, 2, 7} << 2 << 0;
    QTest::newRow("crear montículo") << int(TVentPpal::cNuevo5) << QList<int>{} << 3 << 7;
  }
  void EstadosIgualesPorCualquierCamino() {
    QFETCH(int, tipo);
    QFETCH(QList<int>, claves);
    QFETCH(int, operacion);
    QFETCH(int, clave);
    E.emplace(Fichero());
    TVentPpal& v = E->V();
    E->Orden(TVentPpal::TComando(tipo));
    E->Llenar(claves);
    E->Orden(TVentPpal::cAnim3);  // F4
    if (operacion == 3) {
      v.edtValor()->setText(QString::number(clave));
      v.ToolButton20()->trigger();
      v.ToolButton21()->trigger();
    } else {
      v.lisOperacion()->setCurrentIndex(operacion);
      E->Teclear(QString::number(clave));
    }
    TReproductor& r = v.Reproductor();
    QVERIFY(r.Activo());
    QVERIFY(v.DlgPaso()->isVisible());
    const std::vector<std::uint8_t> final = v.Estructura().Guardar();
    const int n = r.NumEtapas();
    QList<int> tipos;
    for (int k = 0; k < n; ++k)
      tipos << r.Grabacion()->Etapa(std::size_t(k)).Tipo;
    auto tipoDe = [&](int k) { return tipos[k]; };
    QVERIFY(n > 3);

    // Jumps first (the step window's list), then from the end back to the
    // start (keys on the canvas, and the step window's back button), then
    // forward to the end (the step window's button).
    QMap<QPair<int, bool>, QImage> vistos;
    auto anotar = [&](const char* camino) {
      const QImage imagen = Mirar(v);
      const QPair<int, bool> estado(r.Etapa(), r.Despues());
      QVERIFY2(!vistos.contains(estado) || vistos[estado] == imagen,
               qPrintable(QStringLiteral("%1: %2 %3").arg(camino).arg(estado.first).arg(estado.second)));
      vistos[estado] = imagen;
    };
    for (int k = 0; k < n; ++k) {
      Q_EMIT v.DlgPaso()->Saltar(k);
      QCOMPARE(r.Etapa(), k);
      QCOMPARE(r.Despues(), tipoDe(k) == 1);
      anotar("salto");
    }
    QTest::keyClick(&v.Lienzo(), Qt::Key_End);
    if (tipoDe(n - 1) == 2)
      QTest::keyClick(&v.Lienzo(), Qt::Key_Right);
    for (int i = 0; i < 4 * n; ++i) {
      anotar("atrás");
      if (r.Etapa() == 0 && !r.Despues())
        break;
      if (r.Etapa() % 2)
        QTest::keyClick(&v.Lienzo(), Qt::Key_Left);
      else
        Control<QPushButton>(v.DlgPaso(), "btnAnterior")->click();
    }
    QVERIFY(r.Etapa() == 0 && !r.Despues());
    int pasos = 0;
    while (r.Activo() && pasos++ < 4 * n) {
      anotar("adelante");
      Control<QPushButton>(v.DlgPaso(), "btnSeguir")->click();
    }
    QVERIFY(!r.Activo());
    // Every state was seen: "before" of each stage, "after" of a change.
    int estados = 0;
    for (int k = 0; k < n; ++k)
      estados += tipoDe(k) == 1 || tipoDe(k) == 2 ? 2 : 1;
    QCOMPARE(vistos.size(), estados);

    // The end: the live structure, untouched by the playback, glides to
    // its layout; the step window goes.
    QTRY_VERIFY(!v.Lienzo().EnMovimiento());
    QVERIFY(!v.Lienzo().Vista());
    QVERIFY(!v.DlgPaso()->isVisible());
    QVERIFY(v.Estructura().Guardar() == final);
    const QImage fin = v.Lienzo().Imagen();
    v.Refrescar();
    QCOMPARE(v.Lienzo().Imagen(), fin);
  }

  void OrdenesDuranteLaReproduccion_data() {
    QTest::addColumn<int>("orden");
    QTest::newRow("insertar") << int(Insertar);
    QTest::newRow("deshacer") << int(Deshacer);
    QTest::newRow("cambiar de tipo") << int(CambiarTipo);
    QTest::newRow("abrir lista") << int(Abrir);
    QTest::newRow("cerrar") << int(Cerrar);
    QTest::newRow("F8") << int(Desbloquear);
  }
  void OrdenesDuranteLaReproduccion() {
    QFETCH(int, orden);
    const QString lista = Dir.filePath(QStringLiteral("lista.sec"));
    {
      QFile f(lista);
      QVERIFY(f.open(QIODevice::WriteOnly));
      const std::vector<std::int32_t> entradas{8, 4, 12, -8};
      const auto datos = EscribirListaOper(entradas);
      f.write(reinterpret_cast<const char*>(datos.data()), qint64(datos.size()));
    }
    // The same insertion, then the command: in the middle of its playback,
    // or with no stages shown.
    auto tras = [&](bool conEtapas) -> std::pair<std::vector<std::uint8_t>, std::vector<std::int32_t>> {
      E.emplace(Fichero());
      TVentPpal& v = E->V();
      E->Orden(TVentPpal::cNuevo2);
      for (const char* t : {"50", "30", "70", "40"})
        E->Teclear(QString::fromLatin1(t));
      E->Orden(conEtapas ? TVentPpal::cAnim3 : TVentPpal::cAnim1);
      E->Teclear(QStringLiteral("35"));
      [&] { QCOMPARE(v.Reproductor().Activo(), conEtapas); }();
      if (conEtapas) {
        v.Reproductor().Siguiente();
        v.Reproductor().Siguiente();
      }
      switch (orden) {
      case Insertar:
        E->Teclear(QStringLiteral("36"));
        break;
      case Deshacer:
        v.Accion(TVentPpal::cDeshacer)->trigger();
        break;
      case CambiarTipo:
        v.Accion(TVentPpal::cNuevo3)->trigger();
        break;
      case Abrir:
        E->Elegir(lista, 1);
        v.Accion(TVentPpal::cAbrir)->trigger();
        break;
      case Cerrar:
        [&] { QVERIFY(v.close()); }();
        [&] { QVERIFY(!v.isVisible()); }();
        break;
      case Desbloquear:
        v.Accion(TVentPpal::cDesbloqueo)->trigger();
        break;
      }
      // Whatever playback is left belongs to a new operation.
      [&] { QVERIFY(!v.Lienzo().Vista() || orden == Insertar); }();
      [&] { QVERIFY(v.DlgPaso()->isVisible() == (v.Reproductor().Activo() && orden == Insertar)); }();
      [&] { QCOMPARE(E->Mensajes(), QStringList{}); }();
      return std::make_pair(v.Estructura().Guardar(), v.Historia().Entradas());
    };
    const auto sinEtapas = tras(false);
    const auto conEtapas = tras(true);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(conEtapas == sinEtapas);
  }

  void PausasAvanzanSolasYEspacioPausa() {
    E.emplace(Fichero());
    TVentPpal& v = E->V();
    E->Llenar({50, 30, 70});
    v.Accion(TVentPpal::cAnim2)->trigger();  // F3
    E->Teclear(QStringLiteral("60"));
    TReproductor& r = v.Reproductor();
    QVERIFY(r.Activo() && r.Reproduciendo());
    QCOMPARE(Texto(v.DlgPaso(), "etqTitulo"), QStringLiteral("Insercion en Arbol BST"));
    QVERIFY(E->Contiene(60));  // the structure holds the result at once
    QTest::keyClick(&v.Lienzo(), Qt::Key_Space);
    QVERIFY(!r.Reproduciendo());
    const int k = r.Etapa();
    QTest::qWait(60);
    QCOMPARE(r.Etapa(), k);
    QTest::keyClick(&v.Lienzo(), Qt::Key_Space);
    QTRY_VERIFY(!r.Activo());
    QVERIFY(!v.DlgPaso()->isVisible());
    QVERIFY(!v.Estructura().NodoSel);
    // F2 during a playback ends it; then nothing is recorded.
    v.Accion(TVentPpal::cAnim3)->trigger();
    E->Teclear(QStringLiteral("20"));
    QVERIFY(r.Activo());
    v.Accion(TVentPpal::cAnim1)->trigger();
    QVERIFY(!r.Activo() && !v.DlgPaso()->isVisible());
    E->Teclear(QStringLiteral("10"));
    QVERIFY(!r.Activo());
    QVERIFY(Nodo(v.Estructura(), 10)->Y > Nodo(v.Estructura(), 20)->Y);  // laid out at once
  }

  void FotogramasConRaizCuadrada_data() {
    QTest::addColumn<int>("pausa");
    QTest::addColumn<int>("pasos");
    QTest::addColumn<int>("intervalo");
    QTest::addColumn<QList<int>>("xs");
    QTest::newRow("diez pasos") << 100 << 10 << 10
                                << QList<int>{0, 316, 447, 548, 632, 707, 775, 837, 894, 949, 1000};
    // Less time than steps: a frame interval of 0 ms still ticks.
    QTest::newRow("cero milisegundos") << 0 << 3 << 1 << QList<int>{0, 577, 816, 1000};
    // Step counts below 1 only come from an edited store: one step.
    QTest::newRow("pasos negativos") << 20 << -4 << 20 << QList<int>{0, 1000};
  }
  void FotogramasConRaizCuadrada() {
    QFETCH(int, pausa);
    QFETCH(int, pasos);
    QFETCH(int, intervalo);
    QFETCH(QList<int>, xs);
    E.emplace(Fichero());
    TVentPpal& v = E->V();
    E->Llenar({50});
    Ajustar(v, [&](TOpciones& o) { o.PausaAnim = pausa, o.PausaNumEtap = pasos; });
    v.IniciarAnimacion();
    QCOMPARE(v.Lienzo().Timer1()->interval(), intervalo);
    TNodoBin* n = v.Estructura().Raiz;
    n->XIni = 0;
    n->XFin = 1000;
    QList<int> vistos;
    QObject::connect(v.Lienzo().Timer1(), &QTimer::timeout, [&] { vistos << n->X; });
    QTRY_VERIFY(!v.Lienzo().EnMovimiento());
    QCOMPARE(vistos, xs);
    QVERIFY(!v.Bloqueado());
  }

  void CierreDuranteUnMovimiento() {
    E.emplace(Fichero());
    TVentPpal& v = E->V();
    E->Llenar({50, 30, 70});
    v.btnAnimar()->trigger();
    Ajustar(v, [](TOpciones& o) { o.PausaAnim = 10000; });
    E->Teclear(QStringLiteral("60"));
    // Without stages the motion holds the workspace, as the panel says.
    QVERIFY(v.Lienzo().EnMovimiento() && v.Bloqueado());
    QCOMPARE(v.Paneles()[4]->text(), QStringLiteral("*"));
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.Estructura().NumNodos, 4);
    QVERIFY(v.close());
    QVERIFY(!v.Lienzo().EnMovimiento() && !v.Bloqueado());
    QVERIFY(Nodo(v.Estructura(), 60)->X == Nodo(v.Estructura(), 60)->XFin);
  }
};

QTEST_MAIN(PruebasEtapas)
#include "tst_etapas.moc"
