// The operation drivers through the window's commands: typed, random, next
// and clicked keys, the operation list, the undo snapshot, the checks after a
// change, the range box, and internal errors reaching the one handler. Runs
// under the program's own application object, as main.cpp should.
#include "entorno.h"
#include "uAplicacion.h"
#include "uArbolAVL.h"
#include "uArbolRN.h"
#include "uMonticulo.h"
#include "uReproductor.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <limits>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
const QString kMilIntentos = QStringLiteral(
    "Lo siento, pero tras 1000 intentos no he encontrado un valor aleatorio que no pertenezca al arbol!");

void Pulsar(TVentPpal& v, std::int32_t clave) {
  TNodoBin* n = Nodo(v.Estructura(), clave);
  QVERIFY(n);
  QTest::mouseClick(v.Lienzo().Area(), Qt::LeftButton, {}, QPoint(n->X - v.Lienzo().DesplX(), n->Y - v.Lienzo().DesplY()));
}

// A stream of 50 with a left child 80: out of order for a search tree.
// The root 50 with 80 on its left, in a structure of the kind given.
template <class T> std::unique_ptr<TArbolBin> Desordenado() {
  auto a = std::make_unique<T>();
  a->Cargar(std::vector<std::uint8_t>{2, 0, 0, 0, 50, 0, 0, 0, 1, 0, 80, 0, 0, 0, 0, 0});
  return a;
}

}  // namespace

class PruebasOperaciones : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }

  void ValorTecleadoQueNoConvierte_data() {
    QTest::addColumn<QString>("texto");
    QTest::newRow("letras") << "abc";
    QTest::newRow("vacio") << "";  // no message
  }
  void ValorTecleadoQueNoConvierte() {
    QFETCH(QString, texto);
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    QSignalSpy intro(v.edtValor(), &QLineEdit::returnPressed);
    e.Teclear(texto);
    v.Accion(TVentPpal::cOperacion)->trigger();
    QCOMPARE(e.Mensajes(), QStringList(texto.isEmpty() ? 0 : 2, QStringLiteral("Valor erroneo!")));
    QCOMPARE(intro.count(), 1);  // not consumed: it goes on to the box
    QCOMPARE(v.edtValor()->text(), texto);
    QCOMPARE(v.Historia().NumOper(), 0);
    QVERIFY(v.Historia().FlujoDeshacer().empty());  // no snapshot either
    QCOMPARE(v.Estructura().NumNodos, 0);
  }

  void OperacionSegunLaLista_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QList<int>>("claves");
    QTest::addColumn<QList<int>>("lista");
    QTest::addColumn<int>("seleccion");  // 0: none
    QTest::newRow("buscar presente") << 0 << "30" << QList<int>{30, 50, 70} << QList<int>{} << 30;
    QTest::newRow("insertar hex") << 1 << "$3C" << QList<int>{30, 50, 60, 70} << QList<int>{60} << 0;
    // A key already present is recorded all the same; an absent one deleted
    // is not.
    QTest::newRow("insertar presente") << 1 << "30" << QList<int>{30, 50, 70} << QList<int>{30} << 0;
    QTest::newRow("borrar raiz") << 2 << "50" << QList<int>{30, 70} << QList<int>{-50} << 0;
    QTest::newRow("borrar ausente") << 2 << "99" << QList<int>{30, 50, 70} << QList<int>{} << 0;
  }
  void OperacionSegunLaLista() {
    QFETCH(int, indice);
    QFETCH(QString, texto);
    QFETCH(QList<int>, claves);
    QFETCH(QList<int>, lista);
    QFETCH(int, seleccion);
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    const auto antes = v.Estructura().Guardar();
    v.lisOperacion()->setCurrentIndex(indice);
    e.Teclear(texto);
    QCOMPARE(v.lisOperacion()->currentIndex(), indice);
    QCOMPARE(v.edtValor()->text(), QString());
    const auto c = Claves(v.Estructura());
    QCOMPARE(QList<int>(c.begin(), c.end()), claves);
    const auto entradas = v.Historia().Entradas();
    QCOMPARE(QList<int>(entradas.begin(), entradas.end()), lista);
    QCOMPARE(v.Estructura().NodoSel ? v.Estructura().NodoSel->Valor : 0, seleccion);
    QVERIFY(v.Historia().FlujoDeshacer() == antes);  // the snapshot of the tree as it was
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  void ListaDeOperacionesCrece() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    for (int i = 1; i <= 100; ++i)
      v.RealizarInsercion(i);
    v.RealizarInsercion(kMin);
    // The deletion of the least key is kept as a deletion of that key.
    v.RealizarBorrado(kMin);
    const auto ops = v.Historia().Operaciones();
    QCOMPARE(v.Historia().NumOper(), 102);
    QCOMPARE(ops[99].Clave, 100);
    QVERIFY((ops[100] == TOperacion{TOperacion::Insercion, kMin}));
    QVERIFY((ops[101] == TOperacion{TOperacion::Borrado, kMin}));
    QCOMPARE(v.Estructura().NumNodos, 100);
  }

  void ClicSegunElModoDelRaton() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    Pulsar(v, 70);  // "Seleccionar nodo"
    QVERIFY(v.Estructura().NodoSel && v.Estructura().NodoSel->Valor == 70);
    QCOMPARE(v.Historia().NumOper(), 0);
    QTest::mouseClick(v.Lienzo().Area(), Qt::LeftButton, {}, QPoint(v.Lienzo().Area()->width() - 2, v.Lienzo().Area()->height() - 2));
    QVERIFY(!v.Estructura().NodoSel);  // a miss selects nothing
    v.OpcRatBus()->trigger();
    Pulsar(v, 30);
    QCOMPARE(v.lisOperacion()->currentIndex(), 0);
    QVERIFY(v.Estructura().NodoSel && v.Estructura().NodoSel->Valor == 30);
    v.OpcRatDel()->trigger();
    Pulsar(v, 30);
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{50, 70}));
    QCOMPARE(v.Historia().Entradas()[0], -30);

    // A heap is not searched: it removes its minimum, records the key
    // clicked, and is not checked afterwards.
    v.PonerEstructura(std::make_unique<TMonticulo>());
    e.Llenar({5, 3, 8});
    Pulsar(v, 8);
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{5, 8}));
    QCOMPARE(v.Historia().Entradas(), std::vector<std::int32_t>{-8});
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  void InsertarSiguienteRecorreLasClaves() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({8});
    v.edtValor()->setText(QStringLiteral("7"));
    v.Accion(TVentPpal::cInsSig)->trigger();
    QCOMPARE(v.edtValor()->text(), QStringLiteral("8"));
    QVERIFY(v.Estructura().NodoSel && v.Estructura().NodoSel->Valor == 8);
    QCOMPARE(v.Historia().NumOper(), 0);
    v.Accion(TVentPpal::cInsSig)->trigger();
    QCOMPARE(v.edtValor()->text(), QStringLiteral("9"));
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{8, 9}));
    QCOMPARE(v.Historia().Entradas()[0], 9);
    // No next key: no message, nothing changes.
    for (const QString& t : {QStringLiteral("nueve"), QStringLiteral(""), QString::number(kMax)}) {
      v.edtValor()->setText(t);
      v.Accion(TVentPpal::cInsSig)->trigger();
      QCOMPARE(v.edtValor()->text(), t);
    }
    QCOMPARE(v.Historia().NumOper(), 1);
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  void ClavesAlAzarSiguenAlGenerador() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    TSemillaGuardada semilla(12345);
    TAleatorio g = GeneradorPrograma();
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.edtValor()->text(), QString::number(g.Extraer(99) + 1));
    for (int i = 0; i < 14; ++i)
      v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.Estructura().NumNodos, 15);
    // F10 searches and F11 deletes the k-th key in order, k drawn from the
    // node count.
    const auto siguiente = [&v] {
      TAleatorio copia = GeneradorPrograma();
      const auto c = Claves(v.Estructura());
      return c[copia.Extraer(static_cast<std::uint32_t>(c.size()))];
    };
    std::int32_t k = siguiente();
    v.Accion(TVentPpal::cBuscar)->trigger();
    QCOMPARE(v.edtValor()->text(), QString::number(k));
    QVERIFY(v.Estructura().NodoSel && v.Estructura().NodoSel->Valor == k);
    k = siguiente();
    v.Accion(TVentPpal::cBorrar)->trigger();
    QCOMPARE(v.edtValor()->text(), QString::number(k));
    QCOMPARE(v.Historia().Entradas()[15], -k);
    QCOMPARE(v.Estructura().NumNodos, 14);
  }

  void MilIntentosSinClaveNueva() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    Ajustar(v, [](TOpciones& o) { o.ValMax = 5; });
    e.Llenar({1, 2, 3, 4, 5});
    TSemillaGuardada semilla(777);
    TAleatorio g = GeneradorPrograma();
    for (int i = 0; i < 1000; ++i)
      g.Extraer(5);
    v.edtValor()->setText(QStringLiteral("x"));
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(e.Mensajes(), QStringList{kMilIntentos});
    QCOMPARE(GeneradorPrograma().Semilla, g.Semilla);  // exactly 1000 draws
    QCOMPARE(v.edtValor()->text(), QStringLiteral("x"));
    QCOMPARE(v.Historia().NumOper(), 0);
    QVERIFY(v.Historia().FlujoDeshacer().empty());
  }

  void RangosExtremos() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    // A range of 0 or below gives the key 1, and only that one.
    Ajustar(v, [](TOpciones& o) { o.ValMax = kMin; });
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(Claves(v.Estructura()), std::vector<std::int32_t>{1});
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(e.Mensajes(), QStringList{kMilIntentos});
    // The greatest range does not overflow into keys below 1.
    Ajustar(v, [](TOpciones& o) { o.ValMax = kMax; });
    TSemillaGuardada semilla(0xFFFFFFFFu);
    for (int i = 0; i < 50; ++i)
      v.Accion(TVentPpal::cInsertar)->trigger();
    const auto c = Claves(v.Estructura());
    QCOMPARE(c.size(), std::size_t{51});
    QCOMPARE(c.front(), 1);
  }

  void Rango() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    auto& entrada = *e.Plataforma.Entrada;
    entrada.Respuestas = {QStringLiteral("250"), QStringLiteral("doscientos"), std::nullopt,
                          QStringLiteral("-3")};
    for (int i = 0; i < 4; ++i)
      v.Accion(TVentPpal::cRango)->trigger();
    QCOMPARE(entrada.Preguntas, QStringList{"Rango de elementos|Valor máximo = |99"} +
                                    QStringList(3, QStringLiteral("Rango de elementos|Valor máximo = |250")));
    QCOMPARE(e.Mensajes(), QStringList{QStringLiteral("'doscientos' no es un valor entero válido.")});
    QCOMPARE(v.OpcionesActuales().ValMax, -3);  // taken as typed
    e.Bloquear();
    v.Accion(TVentPpal::cRango)->trigger();
    QCOMPARE(entrada.Preguntas.size(), 4);
  }

  void ComprobacionesTrasUnCambio() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    v.PonerEstructura(Desordenado<TArbolBST>());
    v.RealizarBusqueda(10);
    QCOMPARE(e.Mensajes(), QStringList{});  // a search changes nothing
    v.RealizarInsercion(10);
    QCOMPARE(e.Mensajes(), QStringList{"Arbol no ordenado!"});
    v.RealizarBorrado(10);
    QCOMPARE(e.Mensajes(), QStringList(2, QStringLiteral("Arbol no ordenado!")));

    // An AVL tree with both faults shows both messages, in order.
    e.Mensajes().clear();
    auto avl = Desordenado<TArbolAVL>();
    static_cast<TNodoAVL*>(avl->Raiz->Izq)->FactorEquilibrio = 1;  // the leaf 80
    v.PonerEstructura(std::move(avl));
    v.RealizarInsercion(90);
    QCOMPARE(e.Mensajes(), (QStringList{"Arbol no ordenado!", "Arbol AVL inconsistente!"}));
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{50, 80, 90}));
  }

  void ErrorInternoLlegaAlManejador() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Orden(TVentPpal::cNuevo3);
    v.btnPaso()->trigger();
    for (const char* t : {"10", "5", "15", "1"})
      e.Teclear(QString::fromLatin1(t));
    v.lisOperacion()->setCurrentIndex(2);
    e.Teclear(QStringLiteral("15"));
    QCOMPARE(v.Historia().NumOper(), 5);
    QCOMPARE(e.Mensajes(), QStringList{});
    // The black-path check fails after the insertion of 20.
    v.lisOperacion()->setCurrentIndex(1);
    QSignalSpy intro(v.edtValor(), &QLineEdit::returnPressed);
    e.Teclear(QStringLiteral("20"));
    QCOMPARE(e.Mensajes(), QStringList{"Fallo camino negro!"});
    QCOMPARE(intro.count(), 0);
    QVERIFY(e.Contiene(20));  // the changes made stay
    QCOMPARE(v.Historia().NumOper(), 5);   // the operation did not return: nothing recorded
    QVERIFY(!v.Bloqueado());
    QVERIFY(!e.Paso()->isVisible());
    QCOMPARE(Texto(e.Paso(), "btnSeguir"), QStringLiteral("&Seguir >>"));
    QVERIFY(!v.Reproductor().Activo());
    QVERIFY(v.EstructuraLibre());
  }

  void ExcepcionEnUnEventoLlegaAlManejador() {
    TEntorno e(Fichero());
    QTimer::singleShot(0, [] { throw EArbol("Inserción en AVL: Caso imposible!"); });
    QTest::qWait(20);
    QCOMPARE(e.Mensajes(), QStringList{QStringLiteral("Inserción en AVL: Caso imposible!")});
    QVERIFY(!e.V().Bloqueado());
  }
};

int main(int argc, char* argv[]) {
  TAplicacion app(argc, argv);
  PruebasOperaciones pruebas;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&pruebas, argc, argv);
}

#include "tst_operaciones.moc"
