// History and files through the real window: changes of kind with replay,
// operation and structure files, undo, emptying and the demonstration
// builders; opening and saving never lose work, undo never reads another
// kind's snapshot, builders refuse what they cannot build.
#include "entorno.h"
#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uArbolRN.h"
#include "uMonticulo.h"
#include "uSplayTree.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

namespace {

QByteArray Leer(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Escribir(const QString& ruta, const QByteArray& datos) {
  QFile f(ruta);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(f.write(datos), datos.size());
}

QByteArray Entradas(const std::vector<std::int32_t>& e) {
  QByteArray b;
  for (std::int32_t v : e)
    for (int k = 0; k < 4; ++k)
      b.append(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF));
  return b;
}

// Types a command into the value box: "+k" inserts k, "-k" deletes it.
void Hacer(TEntorno& e, const QString& orden) {
  e.V().lisOperacion()->setCurrentIndex(orden.startsWith(QLatin1Char('+')) ? 1 : 2);
  e.Teclear(orden.mid(1));
  QTRY_VERIFY_WITH_TIMEOUT(!e.V().Lienzo().EnMovimiento() && !e.V().Bloqueado(), 5000);
}

// The command that starts an empty structure of each kind.
constexpr TVentPpal::TComando kNuevo[] = {TVentPpal::cNuevo1, TVentPpal::cNuevo2,
                                          TVentPpal::cNuevo3, TVentPpal::cNuevo4,
                                          TVentPpal::cNuevo5};

}  // namespace

class PruebasHistoria : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Ruta(const QString& nombre) const { return Dir.filePath(nombre); }
  QString Opciones() const { return Ruta(QStringLiteral("opciones.conf")); }

private Q_SLOTS:
  void CambioDeTipoReconstruyeLaLista() {
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    for (int k : {5, 3, 8})
      v.RealizarInsercion(k);
    v.RealizarBorrado(3);
    e.Orden(TVentPpal::cNuevo3);
    QVERIFY(dynamic_cast<const TArbolRN*>(&v.Estructura()));
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{5, 8}));
    QCOMPARE(v.Historia().Entradas(), (std::vector<std::int32_t>{5, 3, 8, -3}));
    QVERIFY(v.OpcArb()[2]->isChecked() && !v.OpcArb()[0]->isChecked());
    QCOMPARE(v.NombreArbol(), QStringLiteral("Arbol Rojo-Negro"));
    QCOMPARE(v.Paneles()[5]->text(), QStringLiteral(" Arboles Rojo-Negro"));

    // The list file holds the four entries, little-endian.
    e.Elegir(Ruta("lista.sec"), 1);
    e.Orden(TVentPpal::cGuardarOper);
    QCOMPARE(Leer(Ruta("lista.sec")),
             QByteArray::fromHex("0500000003000000080000" "00fdffffff"));

    // Opened with the first filter into an AVL tree, it rebuilds an AVL tree.
    e.Orden(TVentPpal::cNuevo2);
    QVERIFY(dynamic_cast<const TArbolAVL*>(&v.Estructura()));
    e.Orden(TVentPpal::cLimpiar);  // the list emptied too
    e.Elegir(Ruta("lista.sec"), 1);
    e.Orden(TVentPpal::cAbrir);
    QVERIFY(dynamic_cast<const TArbolAVL*>(&v.Estructura()));
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{5, 8}));
    QCOMPARE(v.Historia().NumOper(), 4);
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  // Each kind saves under its own filter and extension and reads back the
  // same stream; under another kind's filter its file is loaded, or refused
  // with a message and the work left as it was.
  void CadaTipoGuardaYSeAbreBajoCadaFiltro_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("fichero");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QString>("extension");
    const QString arb = QStringLiteral("Arboles binarios (*.arb)|*.arb");
    QTest::newRow("BST") << 0 << "a.arb" << arb << "ARB";
    QTest::newRow("AVL") << 1 << "a.avl" << arb + "|Arboles AVL (*.avl)|*.avl" << "AVL";
    QTest::newRow("RN") << 2 << "a.arn" << "Arboles Rojo-Negro (*.arn)|*.arn" << "ARN";
    QTest::newRow("Splay") << 3 << "b.arb" << arb << "ARB";
    QTest::newRow("Monticulo") << 4 << "a.mon" << "Montículos (*.mon)|*.mon" << "MON";
  }
  void CadaTipoGuardaYSeAbreBajoCadaFiltro() {
    QFETCH(int, tipo);
    QFETCH(QString, fichero);
    QFETCH(QString, filtro);
    QFETCH(QString, extension);
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    e.Orden(kNuevo[tipo]);
    for (int k : {40, 20, 60, 10, 30, 50, 70, 25, 5})
      v.RealizarInsercion(k);
    v.RealizarBorrado(20);
    e.Orden(TVentPpal::cDeshacer);  // back to before the deletion
    const auto guardado = v.Estructura().Guardar();
    e.Orden(TVentPpal::cGuardar);  // cancelled: nothing written
    e.Elegir(Ruta(fichero), 1);
    e.Orden(TVentPpal::cGuardar);
    const auto& mostrados = e.Plataforma.Ficheros->Mostrados;
    QCOMPARE(mostrados.size(), std::size_t{2});
    QCOMPARE(mostrados.back().Titulo, QStringLiteral("Guardar arbol"));
    QCOMPARE(mostrados.back().Filtro, filtro);
    QCOMPARE(mostrados.back().ExtDefecto, extension);
    for (int destino = 0; destino < 5; ++destino) {
      e.Orden(TVentPpal::cNuevo1);
      v.RealizarInsercion(99);
      const auto trabajo = v.Estructura().Guardar();
      const auto avisos = e.Mensajes().size();
      e.Elegir(Ruta(fichero), destino + 2);
      e.Orden(TVentPpal::cAbrir);
      if (destino == tipo) {
        QCOMPARE(v.Estructura().Guardar(), guardado);
        QCOMPARE(v.Historia().NumOper(), 0);
        QVERIFY(v.OpcArb()[static_cast<std::size_t>(tipo)]->isChecked());
        QCOMPARE(e.Mensajes().size(), avisos);
        QCOMPARE(e.Plataforma.Mensajes->Preguntas, QStringList{});
      } else if (e.Mensajes().size() > avisos ||
                 !e.Plataforma.Mensajes->Preguntas.isEmpty()) {  // refused, or discarded
        QVERIFY(e.Mensajes().size() > avisos ||
                e.Plataforma.Mensajes->Preguntas.back().contains(fichero));
        e.Plataforma.Mensajes->Preguntas.clear();
        QCOMPARE(v.Estructura().Guardar(), trabajo);
        QVERIFY(dynamic_cast<const TArbolBST*>(&v.Estructura()));
      } else {
        QCOMPARE(v.Estructura().NumNodos, 9);
      }
    }
  }

  void AbrirUnFicheroMaloNoTocaElTrabajo_data() {
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<int>("filtro");
    QTest::addColumn<bool>("existe");
    QTest::newRow("no existe") << QByteArray() << 2 << false;
    QTest::newRow("truncado") << QByteArray::fromHex("0300000001000000") << 2 << true;
    QTest::newRow("cuenta negativa") << QByteArray::fromHex("ffffffff") << 3 << true;
    QTest::newRow("montículo desordenado") << QByteArray::fromHex("02000000" "0100" "010000000000"
                                                                   "0000" "0300000000000100")
                                           << 6 << true;
    QTest::newRow("lista que no existe") << QByteArray() << 1 << false;
  }
  void AbrirUnFicheroMaloNoTocaElTrabajo() {
    QFETCH(QByteArray, contenido);
    QFETCH(int, filtro);
    QFETCH(bool, existe);
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    for (int k : {5, 3, 8})
      v.RealizarInsercion(k);
    const auto arbol = v.Estructura().Guardar();
    const auto deshacer = v.Historia().FlujoDeshacer();
    const QString ruta = Ruta(QStringLiteral("malo.bin"));
    QFile::remove(ruta);
    if (existe)
      Escribir(ruta, contenido);
    e.Elegir(ruta, filtro);
    e.Orden(TVentPpal::cAbrir);
    QCOMPARE(e.Mensajes().size(), 1);
    QVERIFY(e.Mensajes().front().contains(QStringLiteral("malo.bin")));
    QCOMPARE(v.Estructura().Guardar(), arbol);
    QCOMPARE(v.Historia().NumOper(), 3);
    QCOMPARE(v.Historia().FlujoDeshacer(), deshacer);
    QVERIFY(dynamic_cast<const TArbolBST*>(&v.Estructura()) && v.OpcArb()[0]->isChecked());
  }

  // A structure file carries no mark of its kind: one whose extension is
  // another kind's, or whose contents break the kind's order, is read under
  // the chosen kind and then shown to the teacher, who keeps it or leaves
  // everything as it was.
  void UnFicheroQueNoPareceDelTipoSePregunta_data() {
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<QString>("fichero");
    QTest::addColumn<int>("filtro");
    QTest::addColumn<QString>("hallado");  // empty: no question
    const auto flujo = [](std::unique_ptr<TArbolBin> a, std::initializer_list<std::int32_t> claves,
                          const std::function<void(TArbolBin&)>& estropear) {
      for (std::int32_t c : claves)
        a->Insertar(c);
      estropear(*a);
      const auto b = a->Guardar();
      return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    };
    const auto nada = [](TArbolBin&) {};
    QTest::newRow("extensión de otro tipo")
        << flujo(std::make_unique<TArbolBST>(), {5, 3, 8}, nada) << "a.mon" << 2 << "\".mon\"";
    // 6 hangs right of 3, as a child should, but left of 5.
    QTest::newRow("claves desordenadas")
        << flujo(std::make_unique<TArbolBST>(), {5, 3, 4},
                 [](TArbolBin& a) { Nodo(a, 4)->Valor = 6; })
        << "a.dat" << 2 << "no están ordenadas";
    QTest::newRow("AVL desequilibrado")
        << flujo(std::make_unique<TArbolBST>(), {1, 2, 3}, nada) << "a.avl" << 3 << "desequilibrados";
    QTest::newRow("montículo desordenado guardado")
        << flujo(std::make_unique<TMonticulo>(), {1, 2, 3}, [](TArbolBin& a) { a.Raiz->Valor = 9; })
        << "a.mon" << 6 << "";
    QTest::newRow("splay como .arb bajo BST")
        << flujo(std::make_unique<TSplayTree>(), {5, 3, 8}, nada) << "a.arb" << 2 << "";
  }
  void UnFicheroQueNoPareceDelTipoSePregunta() {
    QFETCH(QByteArray, contenido);
    QFETCH(QString, fichero);
    QFETCH(int, filtro);
    QFETCH(QString, hallado);
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    for (int k : {5, 3, 8})
      v.RealizarInsercion(k);
    const auto trabajo = v.Estructura().Guardar();
    const auto deshacer = v.Historia().FlujoDeshacer();
    Escribir(Ruta(fichero), contenido);
    auto& mensajes = *e.Plataforma.Mensajes;
    for (bool conservar : {false, true}) {
      mensajes.Respuestas = {conservar};
      e.Elegir(Ruta(fichero), filtro);
      e.Orden(TVentPpal::cAbrir);
      if (!hallado.isEmpty()) {
        QCOMPARE(mensajes.Preguntas.size(), conservar ? 2 : 1);
        QVERIFY(mensajes.Preguntas.back().startsWith(
            QStringLiteral("El fichero no parece un arbol de este tipo")));
        QVERIFY2(mensajes.Preguntas.back().contains(hallado), qPrintable(mensajes.Preguntas.back()));
      }
      if (conservar || hallado.isEmpty()) {
        const auto leido = v.Estructura().Guardar();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(leido.data()),
                            static_cast<qsizetype>(leido.size())),
                 contenido);
        QCOMPARE(v.Historia().NumOper(), 0);
        QVERIFY(v.OpcArb()[static_cast<std::size_t>(filtro - 2)]->isChecked());
        break;
      }
      QCOMPARE(v.Estructura().Guardar(), trabajo);
      QCOMPARE(v.Historia().NumOper(), 3);
      QCOMPARE(v.Historia().FlujoDeshacer(), deshacer);
      QVERIFY(dynamic_cast<const TArbolBST*>(&v.Estructura()) && v.OpcArb()[0]->isChecked());
    }
    if (hallado.isEmpty())
      QCOMPARE(mensajes.Preguntas, QStringList{});
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  // A device reports no size: what is read is bounded all the same.
  void UnDispositivoSeLeeConLimite_data() {
    QTest::addColumn<int>("filtro");
    QTest::newRow("lista") << 1;
    QTest::newRow("estructura") << 2;
  }
  void UnDispositivoSeLeeConLimite() {
    QFETCH(int, filtro);
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    v.RealizarInsercion(5);
    e.Elegir(QStringLiteral("/dev/zero"), filtro);
    e.Orden(TVentPpal::cAbrir);
    QCOMPARE(e.Mensajes(), QStringList{QStringLiteral("El fichero \"zero\" es demasiado grande.")});
    QCOMPARE(Claves(v.Estructura()), std::vector<std::int32_t>{5});
    QCOMPARE(v.Historia().NumOper(), 1);
  }

  // Each chooser starts in the folder of the last file opened or saved, and
  // the next session starts there too.
  void LosSelectoresEmpiezanEnLaUltimaCarpeta() {
    QVERIFY(QDir(Dir.path()).mkpath(QStringLiteral("uno")));
    QVERIFY(QDir(Dir.path()).mkpath(QStringLiteral("dos")));
    const auto& mostrados = [&](TEntorno& e) -> auto& { return e.Plataforma.Ficheros->Mostrados; };
    {
      TEntorno e(Opciones());
      TVentPpal& v = e.V();
      v.RealizarInsercion(5);
      e.Orden(TVentPpal::cGuardar);  // cancelled: no folder yet
      QCOMPARE(mostrados(e).back().Carpeta, QString());
      e.Elegir(Ruta("uno/a.sec"), 1);
      e.Orden(TVentPpal::cGuardarOper);
      e.Orden(TVentPpal::cAbrir);
      QCOMPARE(mostrados(e).back().Carpeta, Ruta("uno"));
      e.Elegir(Ruta("dos/a.arb"), 1);
      e.Orden(TVentPpal::cGuardar);
      e.Orden(TVentPpal::cGuardarOper);
      QCOMPARE(mostrados(e).back().Carpeta, Ruta("dos"));
      QVERIFY(v.GuardarOpciones());
    }
    TEntorno e(Opciones());
    e.Orden(TVentPpal::cAbrir);
    QCOMPARE(mostrados(e).back().Carpeta, Ruta("dos"));
  }

  void GuardarQueFallaLoDiceYNoEscribeNada() {
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    v.RealizarInsercion(1);
    const QString ruta = Ruta(QStringLiteral("no/existe/a.arb"));
    e.Elegir(ruta, 1);
    e.Orden(TVentPpal::cGuardar);
    e.Elegir(ruta, 1);
    e.Orden(TVentPpal::cGuardarOper);
    QCOMPARE(e.Mensajes().size(), 2);
    QVERIFY(e.Mensajes().front().contains(QStringLiteral("a.arb")));
    QVERIFY(!QFile::exists(ruta));
  }

  // Undo gives back the structure and the history before the command: the
  // emptied list, the undone deletion taken out (once only), nothing taken
  // out after a command that recorded nothing.
  void DeshacerDevuelveLaHistoriaYNuncaConOtroTipo() {
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    e.Orden(TVentPpal::cDeshacer);  // no snapshot yet: nothing
    QCOMPARE(v.Estructura().NumNodos, 0);
    for (int k : {5, 3, 8})
      v.RealizarInsercion(k);
    e.Orden(TVentPpal::cLimpiar);
    QCOMPARE(v.Estructura().NumNodos, 0);
    QCOMPARE(v.Historia().NumOper(), 0);
    e.Orden(TVentPpal::cDeshacer);
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{3, 5, 8}));
    const std::vector<std::int32_t> hechas{5, 3, 8};
    QCOMPARE(v.Historia().Entradas(), hechas);
    v.RealizarBorrado(5);
    e.Orden(TVentPpal::cDeshacer);
    e.Orden(TVentPpal::cDeshacer);
    QCOMPARE(v.Historia().Entradas(), hechas);
    v.RealizarBusqueda(8);
    e.Orden(TVentPpal::cDeshacer);
    QCOMPARE(v.Historia().Entradas(), hechas);

    // The snapshot was written by a search tree: an AVL tree never reads it.
    e.Orden(TVentPpal::cNuevo2);
    const auto avl = v.Estructura().Guardar();
    e.Orden(TVentPpal::cDeshacer);
    QVERIFY(dynamic_cast<const TArbolAVL*>(&v.Estructura()));
    QCOMPARE(v.Estructura().Guardar(), avl);
    QCOMPARE(v.Historia().Entradas(), hechas);
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  // Whatever its keys, the history replays into every kind as the structure
  // the same commands build there; the undone deletion is not replayed and
  // the replay leaves nothing selected.
  void CambioDeTipoRepiteLoQueSeHizo_data() {
    QTest::addColumn<int>("tipo");
    const char* const nombres[] = {"BST", "AVL", "RN", "Splay", "Monticulo"};
    for (int t = 0; t < 5; ++t)
      QTest::newRow(nombres[t]) << t;
  }
  void CambioDeTipoRepiteLoQueSeHizo() {
    QFETCH(int, tipo);
    const QStringList hechas = {"+-2147483648", "+2147483647", "+0", "+-5", "+7", "-0", "--5"};
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    e.Orden(kNuevo[tipo]);
    for (const QString& h : hechas)
      Hacer(e, h);
    Hacer(e, "-7");
    e.Orden(TVentPpal::cDeshacer);
    for (int destino = 0; destino < 5; ++destino) {
      TEntorno directo(Opciones());
      directo.Orden(kNuevo[destino]);
      for (const QString& h : hechas)
        Hacer(directo, h);
      e.Orden(kNuevo[destino]);
      QCOMPARE(v.Estructura().Guardar(), directo.V().Estructura().Guardar());
      QVERIFY(!v.Estructura().NodoSel);
      QCOMPARE(directo.Mensajes(), QStringList{});
    }
    QCOMPARE(v.Historia().NumOper(), static_cast<std::int32_t>(hechas.size()));
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  // A list the file holds as it is is written without a question, in
  // today's bytes; otherwise the teacher is asked first, and a cancel leaves
  // the old file as it was.
  void GuardarListaQueNoSeLeeIgualPregunta_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QStringList>("hechas");
    QTest::addColumn<QList<bool>>("respuestas");
    QTest::addColumn<int>("preguntas");
    QTest::addColumn<QByteArray>("fichero");
    const QByteArray viejo("viejo");
    // A heap records the key given to a deletion, present or not.
    QTest::newRow("representable") << 4 << QStringList{"+0", "+2147483647", "+5", "-5", "--2147483648"}
                                   << QList<bool>{} << 0
                                   << QByteArray::fromHex("00000000" "ffffff7f" "05000000" "fbffffff" "00000080");
    QTest::newRow("cancelar") << 0 << QStringList{"+-5", "+3", "-3"} << QList<bool>{} << 1 << viejo;
    QTest::newRow("guardar igual") << 0 << QStringList{"+0", "-0", "+-5"} << QList<bool>{true} << 1
                                   << QByteArray::fromHex("00000000" "00000000" "fbffffff");
  }
  void GuardarListaQueNoSeLeeIgualPregunta() {
    QFETCH(int, tipo);
    QFETCH(QStringList, hechas);
    QFETCH(QList<bool>, respuestas);
    QFETCH(int, preguntas);
    QFETCH(QByteArray, fichero);
    TEntorno e(Opciones());
    e.Orden(kNuevo[tipo]);
    for (const QString& h : hechas)
      Hacer(e, h);
    const QString ruta = Ruta(QStringLiteral("lista.sec"));
    Escribir(ruta, "viejo");
    e.Plataforma.Mensajes->Respuestas.assign(respuestas.begin(), respuestas.end());
    e.Elegir(ruta, 1);
    e.Orden(TVentPpal::cGuardarOper);
    QCOMPARE(e.Plataforma.Mensajes->Preguntas.size(), preguntas);
    QCOMPARE(Leer(ruta), fichero);
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  void ConstructoresDeDemostracion() {
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    v.edtValor()->setText(QStringLiteral("5"));
    e.Orden(v.ToolButton17());
    auto* avl = dynamic_cast<const TArbolAVL*>(&v.Estructura());
    QVERIFY(avl && avl->Consistente());
    QCOMPARE(v.Estructura().NumNodos, 12);  // F(7) - 1 nodes in the order-5 tree
    QVERIFY(v.OpcArb()[1]->isChecked());
    QCOMPARE(v.NombreArbol(), QStringLiteral("Arbol AVL"));
    QCOMPARE(v.edtValor()->text(), QStringLiteral("5"));

    v.edtValor()->setText(QStringLiteral("7"));
    e.Orden(v.ToolButton20());
    QVERIFY(dynamic_cast<const TMonticulo*>(&v.Estructura()));
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7}));
    QVERIFY(v.OpcArb()[4]->isChecked());
    const auto desordenado = v.Estructura().Guardar();
    e.Orden(v.ToolButton21());
    QCOMPARE(v.Estructura().Raiz->Valor, 1);
    e.Orden(TVentPpal::cDeshacer);
    QCOMPARE(v.Estructura().Guardar(), desordenado);
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  void ConstructoresRechazanLoQueNoPuedenConstruir_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("fibonacci");
    QTest::newRow("fib negativo") << "-1" << true;
    QTest::newRow("fib enorme") << "31" << true;
    QTest::newRow("fib vacio") << "" << true;
    QTest::newRow("mon enorme") << "1000001" << false;
  }
  void ConstructoresRechazanLoQueNoPuedenConstruir() {
    QFETCH(QString, texto);
    QFETCH(bool, fibonacci);
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    v.RealizarInsercion(42);
    const auto antes = v.Estructura().Guardar();
    v.edtValor()->setText(texto);
    e.Orden(fibonacci ? v.ToolButton17() : v.ToolButton20());
    QCOMPARE(e.Mensajes().size(), 1);
    QCOMPARE(v.Estructura().Guardar(), antes);
    QVERIFY(dynamic_cast<const TArbolBST*>(&v.Estructura()) && v.OpcArb()[0]->isChecked());
  }

  void ListaDeUnMillonEnCadaTipo() {
    // A million random entries replayed into every kind, the list growing
    // from its first 100 places; bytes short of a whole entry are ignored.
    // The red-black tree gets insertions only: its deletions leave the
    // colours for the next insertion's check to report, which would end the
    // replay early.
    std::vector<std::int32_t> mezcla, inserciones;
    std::mt19937 g(7);
    for (int i = 0; i < 1000000; ++i) {
      inserciones.push_back(static_cast<std::int32_t>(g() >> 1));
      mezcla.push_back(i % 10 == 9 ? -mezcla[static_cast<std::size_t>(i - 5)]
                                   : inserciones.back());
    }
    Escribir(Ruta("mezcla.sec"), Entradas(mezcla) + QByteArray("\x01\x02\x03", 3));
    Escribir(Ruta("inserciones.sec"), Entradas(inserciones));
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    for (auto c : kNuevo) {
      e.Orden(TVentPpal::cLimpiar);  // the change of kind replays nothing
      e.Orden(c);
      QElapsedTimer t;
      t.start();
      const bool rn = c == TVentPpal::cNuevo3;
      e.Elegir(Ruta(rn ? "inserciones.sec" : "mezcla.sec"), 1);
      e.Orden(TVentPpal::cAbrir);
      qInfo("%s: %lld ms", qPrintable(v.NombreArbol()), static_cast<long long>(t.elapsed()));
      QCOMPARE(v.Historia().NumOper(), 1000000);
      QVERIFY2(e.Mensajes().isEmpty(), qPrintable(e.Mensajes().join(QLatin1Char('|'))));
      QVERIFY(v.Estructura().NumNodos > (rn ? 990000 : 700000));
    }
  }

  // A structure that replaces the current one shows its root, laid out at
  // once (no motion), even when the view was scrolled far into a wide tree.
  void EstructuraNuevaMuestraSuRaiz_data() {
    QTest::addColumn<int>("como");
    QTest::newRow("AVL Fibonacci") << 0;
    QTest::newRow("abrir estructura") << 1;
    QTest::newRow("abrir lista") << 2;
    QTest::newRow("cambio de tipo") << 3;
  }
  void EstructuraNuevaMuestraSuRaiz() {
    QFETCH(int, como);
    std::vector<std::int32_t> claves(150);
    std::iota(claves.begin(), claves.end(), 1);
    std::shuffle(claves.begin(), claves.end(), std::mt19937(3));
    TArbolAVL avl;
    for (std::int32_t c : claves)
      avl.Insertar(c);
    const auto datos = avl.Guardar();
    Escribir(Ruta("ancho.avl"), QByteArray(reinterpret_cast<const char*>(datos.data()),
                                           static_cast<qsizetype>(datos.size())));
    Escribir(Ruta("ancho.sec"), Entradas(claves));

    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    QTRY_COMPARE(v.Lienzo().Imagen().size(), v.Lienzo().Area()->size());  // painted once
    // A wide tree scrolled to its right end, from a list the change of kind
    // replays.
    e.Elegir(Ruta("ancho.sec"), 1);
    e.Orden(TVentPpal::cAbrir);
    QVERIFY(v.Lienzo().sbHoriz()->isEnabled());
    v.Lienzo().sbHoriz()->setValue(v.Lienzo().sbHoriz()->maximum());
    if (!v.btnAnimar()->isChecked())
      v.btnAnimar()->trigger();

    QAction* orden = v.Accion(TVentPpal::cAbrir);
    if (como == 0) {
      v.edtValor()->setText(QStringLiteral("10"));
      orden = v.ToolButton17();
    } else if (como == 1) {
      e.Elegir(Ruta("ancho.avl"), 3);
    } else if (como == 2) {
      e.Elegir(Ruta("ancho.sec"), 1);
    } else {
      orden = v.Accion(TVentPpal::cNuevo4);
    }
    orden->trigger();
    QCOMPARE(e.Mensajes(), QStringList{});
    QVERIFY(v.Estructura().NumNodos > 100);
    QVERIFY(!v.Lienzo().EnMovimiento() && !v.Bloqueado());
    const TNodoBin* raiz = v.Estructura().Raiz;
    const QPoint enLienzo(raiz->X - v.Lienzo().DesplX(), raiz->Y - v.Lienzo().DesplY());
    QVERIFY2(QRect(QPoint(0, 0), v.Lienzo().Imagen().size()).contains(enLienzo),
             qPrintable(QStringLiteral("root at %1, %2").arg(enLienzo.x()).arg(enLienzo.y())));
    // Already at its layout: a new one moves nothing.
    const QPoint antes(raiz->X, raiz->Y);
    v.Lienzo().Distribuir();
    QCOMPARE(QPoint(raiz->X, raiz->Y), antes);
  }

  // Operations on the same structure leave the view where the user put it.
  void OperacionesConservanLaVista() {
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    std::vector<std::int32_t> claves(120);
    for (std::int32_t c = 1; c <= 120; ++c)
      claves[c - 1] = c * 2 * 7 % 242;
    e.Llenar(claves);
    if (!v.btnAnimar()->isChecked())
      v.btnAnimar()->trigger();
    v.Lienzo().sbHoriz()->setValue(v.Lienzo().sbHoriz()->maximum() / 2);
    const int desplX = v.Lienzo().DesplX();
    QVERIFY(desplX > 0);
    v.lisOperacion()->setCurrentIndex(1);
    e.Teclear(QStringLiteral("101"));
    QTRY_VERIFY(!v.Lienzo().EnMovimiento() && !v.Bloqueado());
    QVERIFY(e.Contiene(101));
    QCOMPARE(v.Lienzo().DesplX(), desplX);
    e.Orden(TVentPpal::cDeshacer);
    QVERIFY(!e.Contiene(101));
    QCOMPARE(v.Lienzo().DesplX(), desplX);
  }

  // A big structure never holds the window: the builders show it at once,
  // and closing in the middle of a motion over it ends that motion at once.
  void EstructuraGrandeNoRetieneLaVentana() {
    TEntorno e(Opciones());
    TVentPpal& v = e.V();
    v.edtValor()->setText(QStringLiteral("24"));  // 121392 nodes
    QElapsedTimer t;
    t.start();
    v.ToolButton17()->trigger();
    QVERIFY(!v.Lienzo().EnMovimiento());
    QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
    if (!v.btnAnimar()->isChecked())
      v.btnAnimar()->trigger();
    Ajustar(v, [](TOpciones& o) { o.PausaAnim = 10000; });
    v.RealizarInsercion(-5);
    QVERIFY(v.Lienzo().EnMovimiento());
    t.restart();
    v.close();
    QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
    QVERIFY(!v.Lienzo().EnMovimiento() && !v.Bloqueado());
  }
};

QTEST_MAIN(PruebasHistoria)
#include "tst_historia.moc"
