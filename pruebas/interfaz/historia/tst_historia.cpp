// History and files through the real window: changes of kind with replay,
// undo, operation and structure files, the demonstration builders; opening and
// saving never lose work, undo never reads another kind's snapshot, builders
// refuse what they cannot build, big structures never hold the window.
#include "entorno.h"
#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uMonticulo.h"
#include "uSplayTree.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>

#include <functional>
#include <numeric>
#include <random>

class PruebasHistoria : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Ruta(const QString& nombre) const { return Dir.filePath(nombre); }
  QString Opciones() const { return Ruta(QStringLiteral("opciones.conf")); }
  std::optional<TEntorno> E;
  // A fresh window holding the search tree 5, 3, 8 built by commands.
  TVentPpal& Trabajo() {
    E.emplace(Opciones());
    for (int k : {5, 3, 8})
      E->V().RealizarInsercion(k);
    return E->V();
  }
  // The work as it was: the structure, its kind, the history and the snapshot.
  QByteArray Estado() {
    const TVentPpal& v = E->V();
    return E->Flujo() + QByteArray::number(v.OpcArb()[0]->isChecked()) + Entradas(v.Historia().Entradas()) +
           TEntorno::Bytes(v.Historia().FlujoDeshacer()) + QByteArray::number(bool(dynamic_cast<const TArbolBST*>(&v.Estructura())));
  }

private Q_SLOTS:
  void cleanup() { E.reset(); }

  // Whatever its keys, the history replays into every kind as the structure
  // the same commands build there; the undone deletion is not replayed; the
  // replay leaves nothing selected and the kind shown everywhere.
  void CambioDeTipoRepiteLoQueSeHizo_data() {
    QTest::addColumn<int>("tipo");
    for (int t = 0; t < 5; ++t)
      QTest::addRow("%d", t) << t;
  }
  void CambioDeTipoRepiteLoQueSeHizo() {
    QFETCH(int, tipo);
    const QStringList hechas = {"+-2147483648", "+2147483647", "+0", "+-5", "+7", "-0", "--5"};
    E.emplace(Opciones());
    TVentPpal& v = E->V();
    E->Orden(kNuevo[tipo]);
    for (const QString& h : hechas)
      E->Hacer(h);
    E->Hacer("-7");
    E->Orden(TVentPpal::cDeshacer);
    for (int destino = 0; destino < 5; ++destino) {
      TEntorno directo(Opciones());
      directo.Orden(kNuevo[destino]);
      for (const QString& h : hechas)
        directo.Hacer(h);
      E->Orden(kNuevo[destino]);
      QCOMPARE(E->Flujo(), directo.Flujo());
      QVERIFY(!v.Estructura().NodoSel && v.OpcArb()[std::size_t(destino)]->isChecked());
      QCOMPARE(v.NombreArbol() + v.Paneles()[5]->text(), directo.V().NombreArbol() + directo.V().Paneles()[5]->text());
      QCOMPARE(directo.Mensajes(), QStringList{});
    }
    QCOMPARE(v.NombreArbol() + v.Paneles()[5]->text(), QStringLiteral("Montículo Montículos"));
    QCOMPARE(v.Historia().NumOper(), hechas.size());
    QCOMPARE(E->Mensajes(), QStringList{});
  }

  // Undo gives back the structure and the history before the command: the
  // emptied list, the undone deletion taken out (once only), nothing taken
  // out after a search; a snapshot of another kind is never read.
  void DeshacerDevuelveLaHistoriaYNuncaConOtroTipo() {
    E.emplace(Opciones());
    TVentPpal& v = E->V();
    E->Orden(TVentPpal::cDeshacer);  // no snapshot yet: nothing
    QCOMPARE(v.Estructura().NumNodos, 0);
    for (int k : {5, 3, 8})
      v.RealizarInsercion(k);
    E->Orden(TVentPpal::cLimpiar);
    QVERIFY(v.Estructura().NumNodos == 0 && v.Historia().NumOper() == 0);
    E->Orden(TVentPpal::cDeshacer);
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{3, 5, 8}));
    const std::vector<std::int32_t> hechas{5, 3, 8};
    QCOMPARE(v.Historia().Entradas(), hechas);
    v.RealizarBorrado(5);
    E->Orden(TVentPpal::cDeshacer);
    E->Orden(TVentPpal::cDeshacer);
    QCOMPARE(v.Historia().Entradas(), hechas);
    v.RealizarBusqueda(8);
    E->Orden(TVentPpal::cDeshacer);
    QCOMPARE(v.Historia().Entradas(), hechas);
    E->Orden(TVentPpal::cNuevo2);
    const QByteArray avl = E->Flujo();
    E->Orden(TVentPpal::cDeshacer);
    QVERIFY(dynamic_cast<const TArbolAVL*>(&v.Estructura()));
    QCOMPARE(E->Flujo(), avl);
    QCOMPARE(v.Historia().Entradas(), hechas);
    QCOMPARE(E->Mensajes(), QStringList{});
  }

  // Each kind saves under its own filter and extension and reads back the
  // same stream; under another kind's filter its file is loaded, or refused
  // (a message or a question declined) with the work left as it was.
  void CadaTipoGuardaYSeAbreBajoCadaFiltro_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("fichero");
    QTest::addColumn<QString>("filtro");
    const QString arb = QStringLiteral("Arboles binarios (*.arb)|*.arb");
    QTest::newRow("BST") << 0 << "a.arb" << arb;
    QTest::newRow("AVL") << 1 << "a.avl" << arb + "|Arboles AVL (*.avl)|*.avl";
    QTest::newRow("RN") << 2 << "a.arn" << "Arboles Rojo-Negro (*.arn)|*.arn";
    QTest::newRow("Splay") << 3 << "b.arb" << arb;
    QTest::newRow("Monticulo") << 4 << "a.mon" << "Montículos (*.mon)|*.mon";
  }
  void CadaTipoGuardaYSeAbreBajoCadaFiltro() {
    QFETCH(int, tipo);
    QFETCH(QString, fichero);
    QFETCH(QString, filtro);
    E.emplace(Opciones());
    TVentPpal& v = E->V();
    E->Orden(kNuevo[tipo]);
    for (int k : {40, 20, 60, 10, 30, 50, 70, 25, 5})
      v.RealizarInsercion(k);
    v.RealizarBorrado(20);
    E->Orden(TVentPpal::cDeshacer);
    const QByteArray guardado = E->Flujo();
    E->Orden(TVentPpal::cGuardar);  // cancelled: nothing written
    QVERIFY(!QFile::exists(Ruta(fichero)));
    E->Elegir(Ruta(fichero), 1);
    E->Orden(TVentPpal::cGuardar);
    const TDialogoFichero& d = E->Plataforma.Ficheros->Mostrados.back();
    QCOMPARE(d.Titulo + '|' + d.Filtro + '|' + d.ExtDefecto,
             "Guardar arbol|" + filtro + '|' + fichero.section('.', 1).toUpper());
    QCOMPARE(LeerFichero(Ruta(fichero)), guardado);
    auto& preguntas = E->Plataforma.Mensajes->Preguntas;
    for (int destino = 0; destino < 5; ++destino) {
      E->Orden(TVentPpal::cNuevo1);
      v.RealizarInsercion(99);
      const QByteArray trabajo = Estado();
      const auto avisos = E->Mensajes().size();
      E->Elegir(Ruta(fichero), destino + 2);
      E->Orden(TVentPpal::cAbrir);
      if (destino == tipo) {
        QCOMPARE(E->Flujo(), guardado);
        QVERIFY(v.Historia().NumOper() == 0 && v.OpcArb()[std::size_t(tipo)]->isChecked());
        QVERIFY(E->Mensajes().size() == avisos && preguntas.isEmpty());
      } else if (E->Mensajes().size() > avisos || !preguntas.isEmpty()) {
        QVERIFY(E->Mensajes().size() > avisos || preguntas.back().contains(fichero));
        preguntas.clear();
        QCOMPARE(Estado(), trabajo);
      } else {
        QCOMPARE(v.Estructura().NumNodos, 9);
      }
    }
  }

  // A file that cannot be read or is damaged is refused with a message naming
  // it, and the work, its kind, history and snapshot stay as they were; a
  // device that reports no size is read with a bound all the same.
  void AbrirUnFicheroMaloNoTocaElTrabajo_data() {
    QTest::addColumn<QByteArray>("contenido");  // "-": no such file
    QTest::addColumn<int>("filtro");
    QTest::addColumn<QString>("ruta");
    QTest::addColumn<QString>("mensaje");
    const QString malo = QStringLiteral("malo.bin");
    QTest::newRow("no existe") << QByteArray("-") << 2 << malo << malo;
    QTest::newRow("lista que no existe") << QByteArray("-") << 1 << malo << malo;
    QTest::newRow("truncado") << QByteArray::fromHex("0300000001000000") << 2 << malo << malo;
    QTest::newRow("cuenta negativa") << QByteArray::fromHex("ffffffff") << 3 << malo << malo;
    QTest::newRow("montículo desordenado")
        << QByteArray::fromHex("02000000010001000000000000000300000000000100") << 6 << malo << malo;
    const QString grande = QStringLiteral("El fichero \"zero\" es demasiado grande.");
    QTest::newRow("dispositivo lista") << QByteArray("-") << 1 << "/dev/zero" << grande;
    QTest::newRow("dispositivo estructura") << QByteArray("-") << 2 << "/dev/zero" << grande;
  }
  void AbrirUnFicheroMaloNoTocaElTrabajo() {
    QFETCH(QByteArray, contenido);
    QFETCH(int, filtro);
    QFETCH(QString, ruta);
    QFETCH(QString, mensaje);
    Trabajo();
    const QByteArray antes = Estado();
    if (!ruta.startsWith('/'))
      QFile::remove(ruta = Ruta(ruta));
    if (contenido != "-")
      QVERIFY(EscribirFichero(ruta, contenido));
    E->Elegir(ruta, filtro);
    E->Orden(TVentPpal::cAbrir);
    QCOMPARE(E->Mensajes().size(), 1);
    QVERIFY2(E->Mensajes().front().contains(mensaje), qPrintable(E->Mensajes().front()));
    QCOMPARE(Estado(), antes);
  }

  // A structure file carries no mark of its kind: one whose extension is
  // another kind's, or whose contents break the kind's order, is read under
  // the chosen kind and shown to the teacher, who keeps it or finds
  // everything as it was.
  void UnFicheroQueNoPareceDelTipoSePregunta_data() {
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<QString>("fichero");
    QTest::addColumn<int>("filtro");
    QTest::addColumn<QString>("hallado");  // empty: no question
    const auto flujo = [](std::unique_ptr<TArbolBin> a, std::initializer_list<std::int32_t> claves,
                          const std::function<void(TArbolBin&)>& estropear = {}) {
      for (std::int32_t c : claves)
        a->Insertar(c);
      if (estropear)
        estropear(*a);
      return TEntorno::Bytes(a->Guardar());
    };
    QTest::newRow("extensión de otro tipo") << flujo(std::make_unique<TArbolBST>(), {5, 3, 8}) << "a.mon" << 2 << "\".mon\"";
    QTest::newRow("claves desordenadas")  // 6 hangs right of 3, as a child should, but left of 5
        << flujo(std::make_unique<TArbolBST>(), {5, 3, 4}, [](TArbolBin& a) { Nodo(a, 4)->Valor = 6; })
        << "a.dat" << 2 << "no están ordenadas";
    QTest::newRow("AVL desequilibrado") << flujo(std::make_unique<TArbolBST>(), {1, 2, 3}) << "a.avl" << 3
                                        << "desequilibrados";
    QTest::newRow("montículo desordenado")
        << flujo(std::make_unique<TMonticulo>(), {1, 2, 3}, [](TArbolBin& a) { a.Raiz->Valor = 9; }) << "a.mon" << 6 << "";
    QTest::newRow("splay como .arb bajo BST") << flujo(std::make_unique<TSplayTree>(), {5, 3, 8}) << "a.arb" << 2 << "";
  }
  void UnFicheroQueNoPareceDelTipoSePregunta() {
    QFETCH(QByteArray, contenido);
    QFETCH(QString, fichero);
    QFETCH(int, filtro);
    QFETCH(QString, hallado);
    TVentPpal& v = Trabajo();
    const QByteArray antes = Estado();
    QVERIFY(EscribirFichero(Ruta(fichero), contenido));
    auto& mensajes = *E->Plataforma.Mensajes;
    for (bool conservar : {false, true}) {
      mensajes.Respuestas = {conservar};
      E->Elegir(Ruta(fichero), filtro);
      E->Orden(TVentPpal::cAbrir);
      QCOMPARE(mensajes.Preguntas.size(), hallado.isEmpty() ? 0 : conservar ? 2 : 1);
      if (!hallado.isEmpty()) {
        QVERIFY(mensajes.Preguntas.back().startsWith(QStringLiteral("El fichero no parece un arbol de este tipo")));
        QVERIFY2(mensajes.Preguntas.back().contains(hallado), qPrintable(mensajes.Preguntas.back()));
      }
      if (conservar || hallado.isEmpty()) {
        QCOMPARE(E->Flujo(), contenido);
        QVERIFY(v.Historia().NumOper() == 0 && v.OpcArb()[std::size_t(filtro - 2)]->isChecked());
        break;
      }
      QCOMPARE(Estado(), antes);
    }
    QCOMPARE(E->Mensajes(), QStringList{});
  }

  // A list the file holds as it is is written without a question and reads
  // back into another kind the same; otherwise the teacher is asked first,
  // and a cancel leaves the old file as it was.
  void GuardarListaQueNoSeLeeIgualPregunta_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QStringList>("hechas");
    QTest::addColumn<bool>("respuesta");
    QTest::addColumn<int>("preguntas");
    QTest::addColumn<QByteArray>("fichero");
    // A heap records the key given to a deletion, present or not.
    QTest::newRow("representable") << 4 << QStringList{"+0", "+2147483647", "+5", "-5", "--2147483648"} << false << 0
                                   << QByteArray::fromHex("00000000ffffff7f05000000fbffffff00000080");
    QTest::newRow("borrado") << 2 << QStringList{"+5", "+3", "+8", "-3"} << false << 0
                             << QByteArray::fromHex("050000000300000008000000fdffffff");
    QTest::newRow("cancelar") << 0 << QStringList{"+-5", "+3", "-3"} << false << 1 << QByteArray("viejo");
    QTest::newRow("guardar igual") << 0 << QStringList{"+0", "-0", "+-5"} << true << 1
                                   << QByteArray::fromHex("0000000000000000fbffffff");
  }
  void GuardarListaQueNoSeLeeIgualPregunta() {
    QFETCH(int, tipo);
    QFETCH(QStringList, hechas);
    QFETCH(bool, respuesta);
    QFETCH(int, preguntas);
    QFETCH(QByteArray, fichero);
    E.emplace(Opciones());
    E->Orden(kNuevo[tipo]);
    for (const QString& h : hechas)
      E->Hacer(h);
    const QString ruta = Ruta(QStringLiteral("lista.sec"));
    QVERIFY(EscribirFichero(ruta, "viejo"));
    E->Plataforma.Mensajes->Respuestas = {respuesta};
    E->Elegir(ruta, 1);
    E->Orden(TVentPpal::cGuardarOper);
    QCOMPARE(E->Plataforma.Mensajes->Preguntas.size(), preguntas);
    QCOMPARE(LeerFichero(ruta), fichero);
    E->Orden(TVentPpal::cLimpiar);  // the list emptied too
    E->Orden(TVentPpal::cNuevo2);
    E->Elegir(ruta, 1);
    E->Orden(TVentPpal::cAbrir);
    if (fichero != "viejo") {
      QVERIFY(dynamic_cast<const TArbolAVL*>(&E->V().Estructura()));
      QCOMPARE(Entradas(E->V().Historia().Entradas()), fichero);
      QCOMPARE(E->Mensajes(), QStringList{});
    }
  }

  // The choosers start in the folder of the last file opened or saved, also
  // in the next session; a failed save says so and writes nothing.
  void CarpetasYGuardarQueFalla() {
    QVERIFY(QDir(Dir.path()).mkpath(QStringLiteral("uno")) && QDir(Dir.path()).mkpath(QStringLiteral("dos")));
    const auto carpeta = [&] { return E->Plataforma.Ficheros->Mostrados.back().Carpeta; };
    TVentPpal& v = Trabajo();
    E->Orden(TVentPpal::cGuardar);  // cancelled: no folder yet
    QCOMPARE(carpeta(), QString());
    const QString ruta = Ruta(QStringLiteral("no/existe/a.arb"));
    for (auto c : {TVentPpal::cGuardar, TVentPpal::cGuardarOper}) {
      E->Elegir(ruta, 1);
      E->Orden(c);
    }
    QCOMPARE(E->Mensajes().size(), 2);
    QVERIFY(E->Mensajes().front().contains(QStringLiteral("a.arb")));
    QVERIFY(!QFile::exists(ruta));
    E->Elegir(Ruta("uno/a.sec"), 1);
    E->Orden(TVentPpal::cGuardarOper);
    E->Orden(TVentPpal::cAbrir);
    QCOMPARE(carpeta(), Ruta("uno"));
    E->Elegir(Ruta("dos/a.arb"), 1);
    E->Orden(TVentPpal::cGuardar);
    E->Orden(TVentPpal::cGuardarOper);
    QCOMPARE(carpeta(), Ruta("dos"));
    QVERIFY(v.GuardarOpciones());
    E.emplace(Opciones());
    E->Orden(TVentPpal::cAbrir);
    QCOMPARE(carpeta(), Ruta("dos"));
  }

  // The builders show the kind they build and keep the box's text; "Crear
  // montículo" can be undone; what they cannot build is refused with one
  // message and the work untouched.
  void ConstructoresDeDemostracion() {
    E.emplace(Opciones());
    TVentPpal& v = E->V();
    v.edtValor()->setText(QStringLiteral("5"));
    E->Orden(v.ToolButton17());
    auto* avl = dynamic_cast<const TArbolAVL*>(&v.Estructura());
    QVERIFY(avl && avl->Consistente() && v.OpcArb()[1]->isChecked());
    QCOMPARE(v.Estructura().NumNodos, 12);  // F(7) - 1 nodes in the order-5 tree
    QCOMPARE(v.NombreArbol() + v.edtValor()->text(), QStringLiteral("Arbol AVL5"));
    v.edtValor()->setText(QStringLiteral("7"));
    E->Orden(v.ToolButton20());
    QVERIFY(dynamic_cast<const TMonticulo*>(&v.Estructura()) && v.OpcArb()[4]->isChecked());
    QCOMPARE(Claves(v.Estructura()), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7}));
    const QByteArray desordenado = E->Flujo();
    E->Orden(v.ToolButton21());
    QCOMPARE(v.Estructura().Raiz->Valor, 1);
    E->Orden(TVentPpal::cDeshacer);
    QCOMPARE(E->Flujo(), desordenado);
    QCOMPARE(E->Mensajes(), QStringList{});
    for (const auto& [texto, fibonacci] : {std::pair{"-1", true}, {"31", true}, {"", true}, {"1000001", false}}) {
      Trabajo();
      const QByteArray antes = Estado();
      E->V().edtValor()->setText(QString::fromLatin1(texto));
      E->Orden(fibonacci ? E->V().ToolButton17() : E->V().ToolButton20());
      QVERIFY2(E->Mensajes().size() == 1 && Estado() == antes, texto);
    }
  }

  // A million entries replayed into every kind, the list growing from its
  // first places; bytes short of a whole entry are ignored. The red-black
  // tree gets insertions only: its deletions leave the colours for the next
  // insertion's check to report, which would end the replay early.
  void ListaDeUnMillonEnCadaTipo() {
    std::vector<std::int32_t> mezcla, inserciones;
    std::mt19937 g(7);
    for (int i = 0; i < 1000000; ++i) {
      inserciones.push_back(static_cast<std::int32_t>(g() >> 1));
      mezcla.push_back(i % 10 == 9 ? -mezcla[static_cast<std::size_t>(i - 5)] : inserciones.back());
    }
    QVERIFY(EscribirFichero(Ruta("mezcla.sec"), Entradas(mezcla) + QByteArray("\x01\x02\x03", 3)));
    QVERIFY(EscribirFichero(Ruta("inserciones.sec"), Entradas(inserciones)));
    E.emplace(Opciones());
    TVentPpal& v = E->V();
    for (auto c : kNuevo) {
      E->Orden(TVentPpal::cLimpiar);  // the change of kind replays nothing
      E->Orden(c);
      const bool rn = c == TVentPpal::cNuevo3;
      E->Elegir(Ruta(rn ? "inserciones.sec" : "mezcla.sec"), 1);
      E->Orden(TVentPpal::cAbrir);
      QCOMPARE(v.Historia().NumOper(), 1000000);
      QVERIFY2(E->Mensajes().isEmpty(), qPrintable(E->Mensajes().join(QLatin1Char('|'))));
      QVERIFY(v.Estructura().NumNodos > (rn ? 990000 : 700000));
    }
  }

  // A structure that replaces the current one shows its root, laid out at
  // once (no motion), even when the view was scrolled far into a wide tree;
  // an operation on the same structure leaves the view where the user put it.
  void EstructuraNuevaMuestraSuRaiz_data() {
    QTest::addColumn<int>("como");
    int como = 0;
    for (const char* n : {"AVL Fibonacci", "abrir estructura", "abrir lista", "cambio de tipo", "operación"})
      QTest::newRow(n) << como++;
  }
  void EstructuraNuevaMuestraSuRaiz() {
    QFETCH(int, como);
    std::vector<std::int32_t> claves(150);
    std::iota(claves.begin(), claves.end(), 1);
    std::shuffle(claves.begin(), claves.end(), std::mt19937(3));
    TArbolAVL avl;
    for (std::int32_t c : claves)
      avl.Insertar(c);
    QVERIFY(EscribirFichero(Ruta("ancho.avl"), TEntorno::Bytes(avl.Guardar())));
    QVERIFY(EscribirFichero(Ruta("ancho.sec"), Entradas(claves)));
    E.emplace(Opciones());
    TVentPpal& v = E->V();
    QTRY_COMPARE(v.Lienzo().Imagen().size(), v.Lienzo().Area()->size());  // painted once
    E->Elegir(Ruta("ancho.sec"), 1);
    E->Orden(TVentPpal::cAbrir);
    QVERIFY(v.Lienzo().sbHoriz()->isEnabled());
    v.Lienzo().sbHoriz()->setValue(como == 4 ? v.Lienzo().sbHoriz()->maximum() / 2 : v.Lienzo().sbHoriz()->maximum());
    if (!v.btnAnimar()->isChecked())
      v.btnAnimar()->trigger();
    const int desplX = v.Lienzo().DesplX();
    QAction* orden = v.Accion(TVentPpal::cAbrir);
    if (como == 0) {
      v.edtValor()->setText(QStringLiteral("10"));
      orden = v.ToolButton17();
    } else if (como == 1 || como == 2) {
      E->Elegir(Ruta(como == 1 ? "ancho.avl" : "ancho.sec"), como == 1 ? 3 : 1);
    } else if (como == 3) {
      orden = v.Accion(TVentPpal::cNuevo4);
    } else {
      E->Hacer(QStringLiteral("+1001"));
      QVERIFY(E->Contiene(1001));
      QCOMPARE(v.Lienzo().DesplX(), desplX);
      E->Orden(TVentPpal::cDeshacer);
      QVERIFY(!E->Contiene(1001));
      QCOMPARE(v.Lienzo().DesplX(), desplX);
      return;
    }
    orden->trigger();
    QCOMPARE(E->Mensajes(), QStringList{});
    QVERIFY(v.Estructura().NumNodos > 100);
    QVERIFY(!v.Lienzo().EnMovimiento() && !v.Bloqueado());
    const TNodoBin* raiz = v.Estructura().Raiz;
    const QPoint enLienzo(raiz->X - v.Lienzo().DesplX(), raiz->Y - v.Lienzo().DesplY());
    QVERIFY2(QRect(QPoint(0, 0), v.Lienzo().Imagen().size()).contains(enLienzo),
             qPrintable(QStringLiteral("root at %1, %2").arg(enLienzo.x()).arg(enLienzo.y())));
    const QPoint antes(raiz->X, raiz->Y);  // already at its layout: a new one moves nothing
    v.Lienzo().Distribuir();
    QCOMPARE(QPoint(raiz->X, raiz->Y), antes);
  }

  // A big structure never holds the window: the builders show it at once,
  // and closing in the middle of a motion over it ends that motion at once.
  void EstructuraGrandeNoRetieneLaVentana() {
    E.emplace(Opciones());
    TVentPpal& v = E->V();
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
