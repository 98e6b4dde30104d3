// The operation commands through the window: typed, random, next and clicked
// keys, the history and undo snapshot they leave, the checks after a change,
// the range box, errors reaching the one handler; then the stages played after
// an operation ran: every state drawn the same whichever way it is reached and
// as recorded, the timed playback, and commands given during a playback acting
// as they would without it. Runs under the program's own application object.
#include "entorno.h"
#include "uAplicacion.h"
#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uConversion.h"
#include "uGrabacion.h"
#include "uMonticulo.h"
#include "uReproductor.h"

#include <QMap>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QString kMilIntentos = QStringLiteral(
    "Lo siento, pero tras 1000 intentos no he encontrado un valor aleatorio que no pertenezca al arbol!");

void Pulsar(TVentPpal& v, std::int32_t clave) {
  TNodoBin* n = Nodo(v.Estructura(), clave);
  QVERIFY(n);
  QTest::mouseClick(v.Lienzo().Area(), Qt::LeftButton, {},
                    QPoint(n->X - v.Lienzo().DesplX(), n->Y - v.Lienzo().DesplY()));
}
std::int32_t Sel(const TVentPpal& v) { return v.Estructura().NodoSel ? v.Estructura().NodoSel->Valor : 0; }
QList<int> Lista(const std::vector<std::int32_t>& c) { return QList<int>(c.begin(), c.end()); }

// The root 50 with 80 on its left: out of order for a search tree.
template <class T> std::unique_ptr<TArbolBin> Desordenado() {
  auto a = std::make_unique<T>();
  a->Cargar(std::vector<std::uint8_t>{2, 0, 0, 0, 50, 0, 0, 0, 1, 0, 80, 0, 0, 0, 0, 0});
  return a;
}

QString Cadena(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
QString Valor(std::optional<std::int32_t> v) { return v ? QString::number(*v) : QStringLiteral("-"); }
QString Valor(const TNodoBin* n) { return Valor(n ? std::optional(n->Valor) : std::nullopt); }

// The state on show against the recording: the step window's texts and
// button, the marks, the selection and the removed node; then its picture.
QImage Mirar(TVentPpal& v) {
  [&] { QTRY_VERIFY(!v.Lienzo().EnMovimiento()); }();
  const TReproductor& r = v.Reproductor();
  const TGrabacion::TEtapa e = r.Grabacion()->Etapa(static_cast<std::size_t>(r.Etapa()));
  const TArbolBin* a = v.Lienzo().Vista();
  if (!a)
    return [] { QVERIFY(false); }(), QImage();
  QStringList marcados, esperados;
  RecorrerPreorden(a->Raiz, [&](TNodoBin* n, std::int32_t) {
    if (n->Marcado)
      marcados << QString::number(n->Valor);
  });
  for (std::int32_t m : e.Marcados)
    esperados << QString::number(m);
  const QStringList visto{Texto(v.DlgPaso(), "etqEtapa"), Texto(v.DlgPaso(), "edtDescripcion"),
                          Texto(v.DlgPaso(), "btnSeguir"), marcados.join(' '), Valor(a->NodoSel), Valor(a->NodoBorrado)};
  const QStringList dicho{Cadena(e.Titulo), Cadena(e.Descripcion),
                          e.Tipo == 2 && !r.Despues() ? QStringLiteral("Efectuar!") : QStringLiteral("&Seguir >>"),
                          esperados.join(' '), Valor(e.Sel), Valor(e.Borrado)};
  [&] { QCOMPARE(visto, dicho); }();
  return v.Lienzo().Imagen();
}

enum TOrden { Insertar, Deshacer, CambiarTipo, Abrir, Cerrar, Desbloquear };

}  // namespace

class PruebasOperaciones : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }
  std::optional<TEntorno> E;

private Q_SLOTS:
  void init() { E.emplace(Fichero()); }
  void cleanup() { E.reset(); }

  // Typed into the value box under each entry of the list: a key already
  // present is inserted and recorded all the same, an absent one deleted is
  // not; a text that does not convert says so (an empty one silently) and
  // leaves the box, the history and the snapshot as they were.
  void OperacionSegunLaLista_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QList<int>>("claves");
    QTest::addColumn<QList<int>>("lista");
    QTest::addColumn<int>("seleccion");
    QTest::newRow("buscar") << 0 << "30" << QList<int>{30, 50, 70} << QList<int>{} << 30;
    QTest::newRow("insertar hex") << 1 << "$3C" << QList<int>{30, 50, 60, 70} << QList<int>{60} << 0;
    QTest::newRow("insertar presente") << 1 << "30" << QList<int>{30, 50, 70} << QList<int>{30} << 0;
    QTest::newRow("borrar raiz") << 2 << "50" << QList<int>{30, 70} << QList<int>{-50} << 0;
    QTest::newRow("borrar ausente") << 2 << "99" << QList<int>{30, 50, 70} << QList<int>{} << 0;
    QTest::newRow("letras") << 1 << "abc" << QList<int>{30, 50, 70} << QList<int>{} << 70;
    QTest::newRow("vacio") << 2 << "" << QList<int>{30, 50, 70} << QList<int>{} << 70;
  }
  void OperacionSegunLaLista() {
    QFETCH(int, indice);
    QFETCH(QString, texto);
    QFETCH(QList<int>, claves);
    QFETCH(QList<int>, lista);
    QFETCH(int, seleccion);
    TVentPpal& v = E->V();
    E->Llenar({50, 30, 70});
    const auto antes = v.Estructura().Guardar();
    const bool malo = ConvertirEntero(texto) == std::nullopt;
    QSignalSpy intro(v.edtValor(), &QLineEdit::returnPressed);
    v.lisOperacion()->setCurrentIndex(indice);
    E->Teclear(texto);
    v.Accion(TVentPpal::cOperacion)->trigger();  // the same again by the button
    QCOMPARE(intro.count(), malo ? 1 : 0);      // a bad text goes on to the box
    QCOMPARE(v.lisOperacion()->currentIndex(), indice);
    QCOMPARE(v.edtValor()->text(), malo ? texto : QString());
    QCOMPARE(Lista(Claves(v.Estructura())), claves);
    QCOMPARE(Lista(v.Historia().Entradas()), lista);
    QCOMPARE(Sel(v), seleccion);
    QVERIFY(v.Historia().FlujoDeshacer() == (malo ? std::vector<std::uint8_t>{} : antes));
    QCOMPARE(E->Mensajes(), malo && !texto.isEmpty() ? QStringList(2, "Valor erroneo!") : QStringList());
  }

  // Typed keys: what converts to a 32-bit key and what is refused, with its Spanish text.
  void Conversion() {
    const std::pair<QString, std::optional<std::int32_t>> casos[] = {
        {"   000042", 42}, {"+7", 7}, {"-7", -7}, {"$1F", 31}, {"x1f", 31}, {"0x1F", 31}, {"0X1f", 31},
        {"-$10", -16}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"-$80000000", INT32_MIN},
        {"$7FFFFFFF", INT32_MAX}, {"$aA", 170}, {QString(5000, u'0') + u'9', 9},  // leading zeros never overflow
        {"", {}}, {"-", {}}, {"12 ", {}}, {"+-1", {}}, {"12a", {}}, {"$", {}}, {"0x", {}}, {"$1G", {}},
        {"1F", {}}, {"$-1", {}}, {"2147483648", {}}, {"-2147483649", {}}, {"$80000000", {}},
        {"$FFFFFFFF", {}}, {"99999999999999999999999", {}}, {QStringLiteral("\u0663"), {}}, {"\t1", {}}};
    for (const auto& [texto, valor] : casos)
      QVERIFY2(ConvertirEntero(texto) == valor, qPrintable(texto.left(20)));
    QCOMPARE(ExigirEntero(QStringLiteral("$10")), 16);
    QVERIFY_THROWS_EXCEPTION(EConversion, ExigirEntero(QStringLiteral("cien")));
  }

  void ClicSegunElModoDelRaton() {
    TVentPpal& v = E->V();
    E->Llenar({50, 30, 70});
    Pulsar(v, 70);  // "Seleccionar nodo"
    QCOMPARE(Sel(v), 70);
    QCOMPARE(v.Historia().NumOper(), 0);
    QTest::mouseClick(v.Lienzo().Area(), Qt::LeftButton, {}, QPoint(v.Lienzo().Area()->width() - 2, 2));
    QCOMPARE(Sel(v), 0);  // a miss selects nothing
    v.OpcRatBus()->trigger();
    Pulsar(v, 30);
    QCOMPARE(v.lisOperacion()->currentIndex(), 0);
    QCOMPARE(Sel(v), 30);
    v.OpcRatDel()->trigger();
    Pulsar(v, 30);
    QCOMPARE(Lista(Claves(v.Estructura())), (QList<int>{50, 70}));
    QCOMPARE(v.Historia().Entradas()[0], -30);
    // A heap removes its minimum, records the key clicked, and is not checked.
    v.PonerEstructura(std::make_unique<TMonticulo>());
    E->Llenar({5, 3, 8});
    Pulsar(v, 8);
    QCOMPARE(Lista(Claves(v.Estructura())), (QList<int>{5, 8}));
    QCOMPARE(Lista(v.Historia().Entradas()), QList<int>{-8});
    QCOMPARE(E->Mensajes(), QStringList{});
  }

  // "Insertar siguiente": the next key after the box's; one present is only
  // selected; no next key (bad text, the greatest key) changes nothing.
  void InsertarSiguienteRecorreLasClaves() {
    TVentPpal& v = E->V();
    E->Llenar({8});
    v.edtValor()->setText(QStringLiteral("7"));
    v.Accion(TVentPpal::cInsSig)->trigger();
    QCOMPARE(v.edtValor()->text(), QStringLiteral("8"));
    QCOMPARE(Sel(v), 8);
    QCOMPARE(v.Historia().NumOper(), 0);
    v.Accion(TVentPpal::cInsSig)->trigger();
    QCOMPARE(v.edtValor()->text(), QStringLiteral("9"));
    QCOMPARE(Lista(v.Historia().Entradas()), QList<int>{9});
    for (const QString& t : {QStringLiteral("nueve"), QString(), QString::number(INT32_MAX)}) {
      v.edtValor()->setText(t);
      v.Accion(TVentPpal::cInsSig)->trigger();
      QCOMPARE(v.edtValor()->text(), t);
    }
    QCOMPARE(v.Historia().NumOper(), 1);
    QCOMPARE(E->Mensajes(), QStringList{});
  }

  // Ins draws 1..ValMax; F10 and Shift+Del the k-th key in order, k drawn
  // from the node count.
  void ClavesAlAzarSiguenAlGenerador() {
    TVentPpal& v = E->V();
    TSemillaGuardada semilla(12345);
    TAleatorio g = GeneradorPrograma();
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.edtValor()->text(), QString::number(g.Extraer(99) + 1));
    for (int i = 0; i < 14; ++i)
      v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.Estructura().NumNodos, 15);
    const auto siguiente = [&v] {
      TAleatorio copia = GeneradorPrograma();
      const auto c = Claves(v.Estructura());
      return c[copia.Extraer(static_cast<std::uint32_t>(c.size()))];
    };
    std::int32_t k = siguiente();
    v.Accion(TVentPpal::cBuscar)->trigger();
    QCOMPARE(v.edtValor()->text(), QString::number(k));
    QCOMPARE(Sel(v), k);
    k = siguiente();
    v.Accion(TVentPpal::cBorrar)->trigger();
    QCOMPARE(v.edtValor()->text(), QString::number(k));
    QCOMPARE(v.Historia().Entradas()[15], -k);
    QCOMPARE(v.Estructura().NumNodos, 14);
  }

  // After exactly 1000 draws without a new key the command says so and
  // changes nothing; a range of 0 or below gives the key 1; the greatest
  // range never overflows into keys below 1.
  void RangosExtremosYMilIntentos() {
    TVentPpal& v = E->V();
    Ajustar(v, [](TOpciones& o) { o.ValMax = 5; });
    E->Llenar({1, 2, 3, 4, 5});
    TSemillaGuardada semilla(777);
    TAleatorio g = GeneradorPrograma();
    for (int i = 0; i < 1000; ++i)
      g.Extraer(5);
    v.edtValor()->setText(QStringLiteral("x"));
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(E->Mensajes(), QStringList{kMilIntentos});
    QCOMPARE(GeneradorPrograma().Semilla, g.Semilla);
    QCOMPARE(v.edtValor()->text(), QStringLiteral("x"));
    QVERIFY(v.Historia().NumOper() == 0 && v.Historia().FlujoDeshacer().empty());

    E->Orden(TVentPpal::cLimpiar);
    Ajustar(v, [](TOpciones& o) { o.ValMax = INT32_MIN; });
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(Lista(Claves(v.Estructura())), QList<int>{1});
    Ajustar(v, [](TOpciones& o) { o.ValMax = INT32_MAX; });
    GeneradorPrograma().Semilla = 0xFFFFFFFFu;
    for (int i = 0; i < 50; ++i)
      v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(Claves(v.Estructura()).size(), std::size_t{51});
    QCOMPARE(Claves(v.Estructura()).front(), 1);
  }

  // The range box asks with the current bound, takes any integer, says why
  // a text is refused, and does not open while the workspace is locked.
  void Rango() {
    TVentPpal& v = E->V();
    auto& entrada = *E->Plataforma.Entrada;
    entrada.Respuestas = {QStringLiteral("250"), QStringLiteral("doscientos"), std::nullopt, QStringLiteral("-3")};
    for (int i = 0; i < 4; ++i)
      v.Accion(TVentPpal::cRango)->trigger();
    QCOMPARE(entrada.Preguntas, QStringList{"Rango de elementos|Valor máximo = |99"} +
                                    QStringList(3, QStringLiteral("Rango de elementos|Valor máximo = |250")));
    QCOMPARE(E->Mensajes(), QStringList{QStringLiteral("'doscientos' no es un valor entero válido.")});
    QCOMPARE(v.OpcionesActuales().ValMax, -3);
    E->Bloquear();
    v.Accion(TVentPpal::cRango)->trigger();
    QCOMPARE(entrada.Preguntas.size(), 4);
  }

  // After a change (not a search) the structure is checked; an AVL tree
  // with both faults shows both messages, in order.
  void ComprobacionesTrasUnCambio() {
    TVentPpal& v = E->V();
    v.PonerEstructura(Desordenado<TArbolBST>());
    v.RealizarBusqueda(10);
    QCOMPARE(E->Mensajes(), QStringList{});
    v.RealizarInsercion(10);
    v.RealizarBorrado(10);
    QCOMPARE(E->Mensajes(), QStringList(2, QStringLiteral("Arbol no ordenado!")));
    E->Mensajes().clear();
    auto avl = Desordenado<TArbolAVL>();
    static_cast<TNodoAVL*>(avl->Raiz->Izq)->FactorEquilibrio = 1;
    v.PonerEstructura(std::move(avl));
    v.RealizarInsercion(90);
    QCOMPARE(E->Mensajes(), (QStringList{"Arbol no ordenado!", "Arbol AVL inconsistente!"}));
    QCOMPARE(Lista(Claves(v.Estructura())), (QList<int>{50, 80, 90}));
  }

  // An engine error inside an operation with stages shown reaches the
  // handler: the changes made stay, nothing is recorded, the window is free
  // and the step window gone; so does an exception thrown in any event.
  void ErroresLleganAlManejador() {
    TVentPpal& v = E->V();
    E->Orden(TVentPpal::cNuevo3);
    v.btnPaso()->trigger();
    for (const char* t : {"+10", "+5", "+15", "+1", "-15"})
      E->Hacer(QString::fromLatin1(t));
    QCOMPARE(v.Historia().NumOper(), 5);
    QCOMPARE(E->Mensajes(), QStringList{});
    v.lisOperacion()->setCurrentIndex(1);
    QSignalSpy intro(v.edtValor(), &QLineEdit::returnPressed);
    E->Teclear(QStringLiteral("20"));  // the black-path check fails
    QCOMPARE(E->Mensajes(), QStringList{"Fallo camino negro!"});
    QCOMPARE(intro.count(), 0);
    QVERIFY(E->Contiene(20));
    QCOMPARE(v.Historia().NumOper(), 5);
    QVERIFY(!v.Bloqueado() && !E->Paso()->isVisible() && !v.Reproductor().Activo() && v.EstructuraLibre());
    QCOMPARE(Texto(E->Paso(), "btnSeguir"), QStringLiteral("&Seguir >>"));

    QTimer::singleShot(0, [] { throw EArbol("Inserción en AVL: Caso imposible!"); });
    QTRY_COMPARE(E->Mensajes().size(), 2);
    QCOMPARE(E->Mensajes().back(), QStringLiteral("Inserción en AVL: Caso imposible!"));
    QVERIFY(!v.Bloqueado());
  }

  // Jumps (the stage list), then from the end back to the start (keys on the
  // canvas and the back button), then forward to the end: each state shows
  // its recording and the same picture every time.
  void EstadosIgualesPorCualquierCamino_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QList<int>>("claves");
    QTest::addColumn<int>("operacion");  // lisOperacion's index, or 3: "Crear montículo"
    QTest::addColumn<int>("clave");
    QTest::newRow("AVL doble") << 1 << QList<int>{30, 10} << 1 << 20;
    QTest::newRow("rojo-negro") << 2 << QList<int>{10, 5, 15, 1, 7, 20, 0, 2} << 1 << 3;
    QTest::newRow("splay zig-zig") << 3 << QList<int>{1, 2, 3} << 0 << 1;
    QTest::newRow("montículo borrar") << 4 << QList<int>{5, 3, 8, 1, 9, 2, 7} << 2 << 0;
    QTest::newRow("crear montículo") << 4 << QList<int>{} << 3 << 7;
  }
  void EstadosIgualesPorCualquierCamino() {
    QFETCH(int, tipo);
    QFETCH(QList<int>, claves);
    QFETCH(int, operacion);
    QFETCH(int, clave);
    TVentPpal& v = E->V();
    E->Orden(TEntorno::kNuevo[tipo]);
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
    QVERIFY(r.Activo() && v.DlgPaso()->isVisible());
    const std::vector<std::uint8_t> final = v.Estructura().Guardar();
    const int n = r.NumEtapas();
    QVERIFY(n > 3);
    QList<int> tipos;  // kept: the recording goes with the playback
    for (int k = 0; k < n; ++k)
      tipos << r.Grabacion()->Etapa(std::size_t(k)).Tipo;
    const auto tipoDe = [&](int k) { return tipos[k]; };
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
    for (int i = 0; i < 4 * n && !(r.Etapa() == 0 && !r.Despues()); ++i) {
      anotar("atrás");
      const bool deshaceCambio = r.Despues() && tipoDe(r.Etapa()) == 2;
      if (r.Etapa() % 2)
        QTest::keyClick(&v.Lienzo(), Qt::Key_Left);
      else
        Control<QPushButton>(v.DlgPaso(), "btnAnterior")->click();
      QVERIFY(!deshaceCambio || v.Lienzo().EnMovimiento());  // the nodes glide back
    }
    QVERIFY(r.Etapa() == 0 && !r.Despues());
    for (int pasos = 0; r.Activo() && pasos < 4 * n; ++pasos) {
      anotar("adelante");
      Control<QPushButton>(v.DlgPaso(), "btnSeguir")->click();
    }
    QVERIFY(!r.Activo());
    int estados = 0;  // "before" of each stage, "after" of a change
    for (int k = 0; k < n; ++k)
      estados += tipoDe(k) == 1 || tipoDe(k) == 2 ? 2 : 1;
    QCOMPARE(vistos.size(), estados);
    // The end: the live structure, untouched by the playback, glides to its
    // layout; the step window goes.
    QTRY_VERIFY(!v.Lienzo().EnMovimiento());
    QVERIFY(!v.Lienzo().Vista() && !v.DlgPaso()->isVisible());
    QVERIFY(v.Estructura().Guardar() == final);
    const QImage fin = v.Lienzo().Imagen();
    v.Refrescar();
    QCOMPARE(v.Lienzo().Imagen(), fin);
  }

  // The same insertion, then a command in the middle of its playback or with
  // no stages shown: the same structure and history either way.
  void OrdenesDuranteLaReproduccion_data() {
    QTest::addColumn<int>("orden");
    const char* const nombres[] = {"insertar", "deshacer", "cambiar de tipo", "abrir lista", "cerrar", "F8"};
    for (int o = Insertar; o <= Desbloquear; ++o)
      QTest::newRow(nombres[o]) << o;
  }
  void OrdenesDuranteLaReproduccion() {
    QFETCH(int, orden);
    const QString lista = Dir.filePath(QStringLiteral("lista.sec"));
    QVERIFY(EscribirFichero(lista, Entradas(std::vector<std::int32_t>{8, 4, 12, -8})));
    auto tras = [&](bool conEtapas) {
      E.emplace(Fichero());
      TVentPpal& v = E->V();
      E->Construir(1, {"+50", "+30", "+70", "+40"});
      E->Orden(conEtapas ? TVentPpal::cAnim3 : TVentPpal::cAnim1);
      E->Teclear(QStringLiteral("35"));
      [&] { QCOMPARE(v.Reproductor().Activo(), conEtapas); }();
      if (conEtapas) {
        v.Reproductor().Siguiente();
        v.Reproductor().Siguiente();
      }
      switch (orden) {
      case Insertar: E->Teclear(QStringLiteral("36")); break;
      case Deshacer: v.Accion(TVentPpal::cDeshacer)->trigger(); break;
      case CambiarTipo: v.Accion(TVentPpal::cNuevo3)->trigger(); break;
      case Abrir:
        E->Elegir(lista, 1);
        v.Accion(TVentPpal::cAbrir)->trigger();
        break;
      case Cerrar: [&] { QVERIFY(v.close() && !v.isVisible()); }(); break;
      case Desbloquear: v.Accion(TVentPpal::cDesbloqueo)->trigger(); break;
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

  // F3 plays the stages by themselves; Space pauses and resumes; the end
  // leaves nothing selected; F2 during a playback ends it and lays out at once.
  void PausasAvanzanSolasYEspacioPausa() {
    TVentPpal& v = E->V();
    E->Llenar({50, 30, 70});
    v.Accion(TVentPpal::cAnim2)->trigger();
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
    QTRY_VERIFY_WITH_TIMEOUT(!r.Activo(), 10000);
    QVERIFY(!v.DlgPaso()->isVisible() && !v.Estructura().NodoSel);
    v.Accion(TVentPpal::cAnim3)->trigger();
    E->Teclear(QStringLiteral("20"));
    QVERIFY(r.Activo());
    v.Accion(TVentPpal::cAnim1)->trigger();
    QVERIFY(!r.Activo() && !v.DlgPaso()->isVisible());
    E->Teclear(QStringLiteral("10"));
    QVERIFY(!r.Activo());
    QVERIFY(Nodo(v.Estructura(), 10)->Y > Nodo(v.Estructura(), 20)->Y);
  }

  // A glide's frames follow a square root; a pause shorter than the steps
  // still ticks; step counts below 1 (an edited store) give one step.
  void FotogramasConRaizCuadrada_data() {
    QTest::addColumn<int>("pausa");
    QTest::addColumn<int>("pasos");
    QTest::addColumn<int>("intervalo");
    QTest::addColumn<QList<int>>("xs");
    QTest::newRow("diez") << 100 << 10 << 10 << QList<int>{0, 316, 447, 548, 632, 707, 775, 837, 894, 949, 1000};
    QTest::newRow("cero ms") << 0 << 3 << 1 << QList<int>{0, 577, 816, 1000};
    QTest::newRow("negativos") << 20 << -4 << 20 << QList<int>{0, 1000};
  }
  void FotogramasConRaizCuadrada() {
    QFETCH(int, pausa);
    QFETCH(int, pasos);
    QFETCH(int, intervalo);
    QFETCH(QList<int>, xs);
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
    QTRY_VERIFY_WITH_TIMEOUT(!v.Lienzo().EnMovimiento(), 10000);
    QCOMPARE(vistos, xs);
    QVERIFY(!v.Bloqueado());
  }

  // Without stages a motion holds the workspace, as the panel says; closing
  // ends it at once at its end.
  void CierreDuranteUnMovimiento() {
    TVentPpal& v = E->V();
    E->Llenar({50, 30, 70});
    v.btnAnimar()->trigger();
    Ajustar(v, [](TOpciones& o) { o.PausaAnim = 10000; });
    E->Teclear(QStringLiteral("60"));
    QVERIFY(v.Lienzo().EnMovimiento() && v.Bloqueado());
    QCOMPARE(v.Paneles()[4]->text(), QStringLiteral("*"));
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.Estructura().NumNodos, 4);
    QVERIFY(v.close());
    QVERIFY(!v.Lienzo().EnMovimiento() && !v.Bloqueado());
    QCOMPARE(Nodo(v.Estructura(), 60)->X, Nodo(v.Estructura(), 60)->XFin);
  }
};

int main(int argc, char* argv[]) {
  TAplicacion app(argc, argv);
  PruebasOperaciones pruebas;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&pruebas, argc, argv);
}

#include "tst_operaciones.moc"
