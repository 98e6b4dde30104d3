// History and files through the window: changes of kind with replay, undo, files, the demonstration builders.
#include "entorno.h"
#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uMonticulo.h"
#include "uSplayTree.h"
#include "uPanelHistoria.h"
#include "uReproductor.h"
#include "uTrabajo.h"

#include <QElapsedTimer>

#include <csignal>
#include <numeric>
#include <sys/resource.h>

namespace {
// The stream of a structure of the kind with the keys inserted, then spoilt.
QByteArray Flujo(std::unique_ptr<TArbolBin> a, std::initializer_list<std::int32_t> claves,
                 const std::function<void(TArbolBin&)>& estropear = {}) {
  for (std::int32_t c : claves) a->Insertar(c);
  if (estropear) estropear(*a);
  return TEntorno::Bytes(a->Guardar());
}
}  // namespace

class PruebasHistoria : public QObject {
  Q_OBJECT
  QTemporaryDir Dir;
  QString Ruta(const QString& nombre) const { return Dir.filePath(nombre); }
  std::optional<TEntorno> E;
  TVentPpal& Nuevo() { return E.emplace(Ruta(QStringLiteral("opciones.conf"))).V(); }
  // A fresh window holding the search tree 5, 3, 8 built by commands.
  TVentPpal& Trabajo() {
    Nuevo();
    for (int k : {5, 3, 8}) E->V().RealizarInsercion(k);
    return E->V();
  }
  // The work as it was: the structure, its kind, the history's steps and where it stands.
  QByteArray Estado() {
    const TVentPpal& v = E->V();
    QByteArray r = E->Flujo() + typeid(v.Estructura()).name() + QByteArray::number(v.OpcArb()[0]->isChecked()) +
                   Entradas(v.Historia().Entradas()) + QByteArray::number(v.Historia().Actual());
    for (const TPaso& p : v.Historia().Pasos()) r += QByteArray::fromStdString(p.Texto()) + ';';
    return r;
  }
  bool EsDelTipo(int tipo) { return !E->V().Historia().NumOper() && E->V().OpcArb()[std::size_t(tipo)]->isChecked(); }
  bool HaHecho(std::vector<std::int32_t> h) { return E->V().Historia().Entradas() == h && E->Mensajes().isEmpty(); }
  // A search tree whose list holds the 3,000 insertions of a chain, opened from a file, then one more
  // insertion for an undo snapshot; the files of its structure and its list.
  void Largo() {
    Nuevo();
    std::vector<std::int32_t> claves(3000);
    std::iota(claves.begin(), claves.end(), 1);
    QVERIFY(EscribirFichero(Ruta("largo.sec"), Entradas(claves)));
    E->Elegir(Ruta("largo.sec"), 1, TVentPpal::cAbrir);
    E->V().RealizarInsercion(5000);
    QVERIFY(EscribirFichero(Ruta("largo.arb"), E->Flujo()) && E->V().Estructura().NumNodos == 3001);
  }
  // Everything a cancelled command must leave as it was, the status panels included.
  QByteArray Todo() {
    QByteArray r = Estado() + E->V().NombreArbol().toUtf8();
    for (QAction* a : E->V().OpcArb()) r += a->isChecked() ? '1' : '0';
    for (int k = 0; k < 4; ++k) r += E->V().Paneles()[std::size_t(k)]->text().toUtf8();
    return r;
  }

private Q_SLOTS:
  void cleanup() {
    E.reset();
    TTrabajo::IntervaloMs = 25, TTrabajo::RetrasoMs = 500;
  }
  // The history, any keys, replays into every kind as the same commands build there (the undone one not).
  void CambioDeTipoRepiteLoQueSeHizo() {
    const QStringList hechas = {"+-2147483648", "+2147483647", "+0", "+-5", "+7", "-0", "--5"};
    for (int tipo = 0; tipo < 5; ++tipo) {
      TVentPpal& v = Nuevo();
      E->Construir(tipo, hechas + QStringList{"-7"});
      E->Orden(TVentPpal::cDeshacer);
      for (int destino = 0; destino < 5; ++destino) {
        TEntorno directo(Ruta(QStringLiteral("opciones.conf")));
        directo.Construir(destino, hechas);
        E->Orden(TEntorno::kNuevo[destino]);
        QCOMPARE(E->Flujo(), directo.Flujo());
        TVentPpal& d = directo.V();
        QVERIFY(!v.Estructura().NodoSel && v.OpcArb()[std::size_t(destino)]->isChecked());
        QCOMPARE(v.NombreArbol() + v.Paneles()[5]->text(), d.NombreArbol() + d.Paneles()[5]->text());
      }
      QVERIFY(v.Historia().NumOper() == hechas.size() && E->Mensajes().isEmpty());
    }
  }
  // Each step replays with the algorithms it ran with, whatever is chosen now: a splay lesson half with each
  // (misses and hits), undone and redone, then replayed whole, ends as it was run; the structure keeps the choice.
  void CadaPasoSeRepiteConSusAlgoritmos() {
    TVentPpal& v = Nuevo();
    E->Orden(TEntorno::kNuevo[3]);
    const auto operar = [&](std::initializer_list<std::int32_t> claves, int algoritmos) {
      Ajustar(v, [algoritmos](TOpciones& o) { o.Algoritmos = algoritmos; });
      for (std::int32_t k : claves) k > 0 ? v.RealizarInsercion(k) : v.RealizarBusqueda(-k), E->Esperar();
    };
    operar({5, 3, 8, 1, 9, -4, -9}, 1), operar({-6, 7, -2, -1}, 0), operar({4, -10, -2, -6}, 1);
    const QByteArray vivo = E->Flujo();
    for (int algoritmos : {0, 1}) {
      operar({}, algoritmos);
      for (int k = 0; k < 9; ++k) E->Orden(TVentPpal::cDeshacer);
      while (v.Accion(TVentPpal::cRehacer)->isEnabled()) E->Orden(TVentPpal::cRehacer);
      QCOMPARE(E->Flujo(), vivo);
      QVERIFY(v.Estructura().Variante == TVariante(algoritmos));  // the redos put the choice back
      E->Orden(TEntorno::kNuevo[3]);
      QCOMPARE(E->Flujo(), vivo);
      QVERIFY(v.Estructura().Variante == TVariante(algoritmos) && v.PanelVariante()->isHidden() == !algoritmos);
    }
  }
  // Undo walks back to the start and redo (with its stages when asked) forward, through emptying and the heap build,
  // each giving back the state seen; a click on the panel lands where as many undos or redos do; a change of kind
  // keeps the list and where it stands; a new operation drops what was undone.
  void DeshacerYRehacerRecorrenLaHistoria() {
    for (int tipo : {3, 4}) {
      TVentPpal& v = Nuevo();
      E->Orden(TEntorno::kNuevo[tipo]);
      std::vector<QByteArray> vistos{E->Flujo()};
      const auto paso = [&](const std::function<void()>& f) { f(), E->Esperar(), vistos.push_back(E->Flujo()); };
      for (int k : {5, 3, 8, 1}) paso([&] { v.RealizarInsercion(k); });
      paso([&] { v.RealizarBorrado(5); });
      paso([&] { v.RealizarBusqueda(8); });  // a step only where it reshapes the tree (splay)
      if (tipo == 3) paso([&] { E->Orden(TVentPpal::cLimpiar); }), paso([&] { v.RealizarInsercion(7); });
      if (tipo == 4) paso([&] { E->Orden(v.ToolButton21()); }), vistos.erase(vistos.end() - 2);
      QCOMPARE(v.Historia().NumPasos(), vistos.size() - 1);
      while (v.Accion(TVentPpal::cDeshacer)->isEnabled()) {
        E->Orden(TVentPpal::cDeshacer);
        QCOMPARE(E->Flujo(), vistos[v.Historia().Actual()]);
      }
      v.btnPaso()->trigger();
      E->Orden(TVentPpal::cRehacer);
      QVERIFY(v.Reproductor().Activo() && E->Flujo() == vistos[1]);
      v.btnAnimar()->trigger();
      while (v.Accion(TVentPpal::cRehacer)->isEnabled()) {
        E->Orden(TVentPpal::cRehacer);
        QCOMPARE(E->Flujo(), vistos[v.Historia().Actual()]);
      }
      E->Orden(TVentPpal::cHistorial);
      QListView* lista = v.PanelHistoria().Lista();
      QCOMPARE(lista->model()->index(1, 0).data().toString(), QStringLiteral("1. Insertar 5"));
      for (std::size_t k : {std::size_t{2}, vistos.size() - 1, std::size_t{0}, std::size_t{3}}) {
        const QModelIndex fila = lista->model()->index(int(k), 0);
        lista->scrollTo(fila);
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(fila).center());
        E->Esperar();
        QVERIFY(E->Flujo() == vistos[k] && lista->currentIndex().row() == int(k));
      }
      QVERIFY(lista->model()->index(4, 0).data(Qt::ForegroundRole).isValid() && !lista->model()->index(3, 0).data(Qt::ForegroundRole).isValid() &&
              lista->model()->index(4, 0).data(Qt::FontRole).value<QFont>().italic() && v.Accion(TVentPpal::cRehacer)->isEnabled());
      QVERIFY(v.OpcionesActuales().VerHistoria);
      Ajustar(v, [](TOpciones& o) { o.VerHistoria = false; });
      QVERIFY(v.PanelHistoria().isHidden() && !v.Accion(TVentPpal::cHistorial)->isChecked());
      const std::vector<std::int32_t> hechas = v.Historia().Entradas();
      E->Orden(TEntorno::kNuevo[tipo == 3 ? 1 : 3]);
      QVERIFY(v.Historia().Entradas() == hechas && v.Historia().Actual() == 3 && E->Mensajes().isEmpty());
      v.RealizarInsercion(60);
      QVERIFY(v.Historia().NumPasos() == 4 && !v.Accion(TVentPpal::cRehacer)->isEnabled());
    }
  }
  // Each kind saves under its own filter and reads back the same; under another, it loads or the work stays.
  void CadaTipoGuardaYSeAbreBajoCadaFiltro() {
    const QString arb = QStringLiteral("Arboles binarios (*.arb)|*.arb");
    const std::pair<const char*, QString> tipos[] = {{"a.arb", arb}, {"a.avl", arb + "|Arboles AVL (*.avl)|*.avl"},
                                                     {"a.arn", "Arboles Rojo-Negro (*.arn)|*.arn"}, {"b.arb", arb},
                                                     {"a.mon", "Montículos (*.mon)|*.mon"}};
    for (int tipo = 0; tipo < 5; ++tipo) {
      const QString fichero = QString::fromLatin1(tipos[tipo].first);
      TVentPpal& v = Nuevo();
      E->Construir(tipo, {"+40", "+20", "+60", "+10", "+30", "+50", "+70", "+25", "+5", "-20"});
      E->Orden(TVentPpal::cDeshacer);
      const QByteArray guardado = E->Flujo();
      E->Elegir(Ruta(fichero), 1, TVentPpal::cGuardar);
      const TDialogoFichero& d = E->Plataforma.Ficheros->Mostrados.back();
      QCOMPARE(d.Titulo + '|' + d.Filtro + '|' + d.ExtDefecto,
               "Guardar arbol|" + tipos[tipo].second + '|' + fichero.section('.', 1).toUpper());
      QCOMPARE(LeerFichero(Ruta(fichero)), guardado);
      auto& preguntas = E->Plataforma.Mensajes->Preguntas;
      for (int destino = 0; destino < 5; ++destino) {
        E->Orden(TVentPpal::cNuevo1);
        v.RealizarInsercion(99);
        const QByteArray trabajo = Estado();
        const auto avisos = E->Mensajes().size();
        E->Elegir(Ruta(fichero), destino + 2, TVentPpal::cAbrir);
        if (destino == tipo) {
          QVERIFY(E->Flujo() == guardado && EsDelTipo(tipo) && E->Mensajes().size() == avisos && preguntas.isEmpty());
        } else if (E->Mensajes().size() > avisos || !preguntas.isEmpty()) {
          QVERIFY(E->Mensajes().size() > avisos || preguntas.back().contains(fichero));
          preguntas.clear();
          QCOMPARE(Estado(), trabajo);
        } else {
          QCOMPARE(v.Estructura().NumNodos, 9);
        }
      }
    }
  }
  // A file that cannot be taken is refused, named; one that looks like another kind's is kept only if the teacher says.
  void FicheroMaloOQueNoPareceDelTipo() {
    const auto hex = [](const char* h) { return QByteArray::fromHex(h); };
    const char* grande = "El fichero \"zero\" es demasiado grande.";
    const struct { QByteArray Contenido; const char* Fichero; int Filtro; bool Aviso; const char* Hallado; } casos[] = {
        {{}, "falta.bin", 2, true, "falta.bin"}, {{}, "/dev/zero", 1, true, grande}, {{}, "/dev/zero", 2, true, grande},
        {hex("0300000001000000"), "corto.bin", 2, true, "corto.bin"}, {hex("ffffffff"), "mal.bin", 3, true, "mal.bin"},
        {hex("02000000010001000000000000000300000000000100"), "heap.bin", 6, true, "heap.bin"},  // unordered heap
        {Flujo(std::make_unique<TArbolBST>(), {5, 3, 8}), "a.mon", 2, false, "\".mon\""},
        // 6 hangs right of 3, as a child should, but left of 5
        {Flujo(std::make_unique<TArbolBST>(), {5, 3, 4}, [](TArbolBin& a) { Nodo(a, 4)->Valor = 6; }), "a.dat", 2,
         false, "no están ordenadas"},
        {Flujo(std::make_unique<TArbolBST>(), {1, 2, 3}), "a.avl", 3, false, "desequilibrados"},
        {Flujo(std::make_unique<TMonticulo>(), {1, 2, 3}, [](TArbolBin& a) { a.Raiz->Valor = 9; }), "b.mon", 6,
         false, ""},
        {Flujo(std::make_unique<TSplayTree>(), {5, 3, 8}), "a.arb", 2, false, ""}};
    for (const auto& c : casos) {
      Trabajo();
      const QByteArray antes = Estado();
      const QString hallado = QString::fromUtf8(c.Hallado), fichero = QString::fromLatin1(c.Fichero);
      const QString ruta = fichero.startsWith('/') ? fichero : Ruta(fichero);
      QVERIFY(c.Contenido.isNull() || EscribirFichero(ruta, c.Contenido));
      auto& mensajes = *E->Plataforma.Mensajes;
      for (bool conservar : {false, true}) {
        mensajes.Respuestas = {conservar};
        E->Elegir(ruta, c.Filtro, TVentPpal::cAbrir);
        const qsizetype preguntas = c.Aviso || hallado.isEmpty() ? 0 : conservar ? 2 : 1;
        const QString dicho = c.Aviso ? E->Mensajes().value(0) : mensajes.Preguntas.value(preguntas - 1);
        QVERIFY2(mensajes.Preguntas.size() == preguntas && E->Mensajes().size() == int(c.Aviso) &&
                     dicho.contains(hallado) && (preguntas == 0 || dicho.startsWith("El fichero no parece un arbol")),
                 c.Fichero);
        if (!c.Aviso && (conservar || hallado.isEmpty())) {
          QVERIFY(E->Flujo() == c.Contenido && EsDelTipo(c.Filtro - 2));
          break;
        }
        QCOMPARE(Estado(), antes);
        if (c.Aviso) break;
      }
    }
  }
  // A list that reads back is written unasked (and reads into another kind); else the teacher is asked, told where.
  void GuardarListaQueNoSeLeeIgualPregunta() {
    const struct { int Tipo; QStringList Hechas; int Respuesta; QByteArray Fichero; } casos[] = {  // -1: no question
        {4, {"+0", "+2147483647", "+5", "-5", "--2147483648"}, -1,  // a heap records any deletion
         QByteArray::fromHex("00000000ffffff7f05000000fbffffff00000080")},
        {2, {"+5", "+3", "+8", "-3"}, -1, QByteArray::fromHex("050000000300000008000000fdffffff")},
        {0, {"+-5", "+3", "-3"}, 0, "viejo"},  // cancelled: the old file stays
        {0, {"+0", "-0", "+-5"}, 1, QByteArray::fromHex("0000000000000000fbffffff")}};
    const QString ruta = Ruta(QStringLiteral("lista.sec"));
    for (const auto& c : casos) {
      Nuevo();
      E->Construir(c.Tipo, c.Hechas);
      QVERIFY(EscribirFichero(ruta, "viejo"));
      auto& mensajes = *E->Plataforma.Mensajes;
      mensajes.Respuestas = {c.Respuesta == 1};
      E->Elegir(ruta, 1, TVentPpal::cGuardarOper);
      QCOMPARE(mensajes.Preguntas.size(), c.Respuesta < 0 ? 0 : 1);
      QVERIFY(c.Respuesta < 0 || mensajes.Preguntas[0].contains(c.Respuesta ? "número 2)" : "número 1)"));
      QCOMPARE(LeerFichero(ruta), c.Fichero);
      if (c.Respuesta == 0) continue;
      E->Orden(TVentPpal::cLimpiar);  // the list emptied too
      E->Orden(TVentPpal::cNuevo2);
      QVERIFY(EscribirFichero(ruta, c.Fichero + QByteArray("\x01\x02\x03", 3)));
      E->Elegir(ruta, 1, TVentPpal::cAbrir);
      QVERIFY(dynamic_cast<const TArbolAVL*>(&E->V().Estructura()) && E->Mensajes().isEmpty());
      QCOMPARE(Entradas(E->V().Historia().Entradas()), c.Fichero);
    }
  }
  // Choosers start in the last file's folder, also next session; a failed save says so.
  void CarpetasYGuardarQueFalla() {
    QVERIFY(QDir(Dir.path()).mkpath(QStringLiteral("uno")) && QDir(Dir.path()).mkpath(QStringLiteral("dos")));
    const auto carpeta = [&] { return E->Plataforma.Ficheros->Mostrados.back().Carpeta; };
    TVentPpal& v = Trabajo();
    const QString ruta = Ruta(QStringLiteral("no/existe/a.arb"));
    for (auto c : {TVentPpal::cGuardar, TVentPpal::cGuardarOper}) E->Elegir(ruta, 1, c);
    QVERIFY(E->Mensajes().size() == 2 && E->Mensajes().front().contains("a.arb") && !QFile::exists(ruta));
    // A disk that fills up at the last, buffered bytes: not saved, and said so.
    std::vector<std::int32_t> claves(1000);
    std::iota(claves.begin(), claves.end(), 1), E->Llenar(claves);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite{};
    getrlimit(RLIMIT_FSIZE, &limite);
    const rlimit antes = limite;
    limite.rlim_cur = 4096, setrlimit(RLIMIT_FSIZE, &limite);
    E->Elegir(Ruta("lleno.arb"), 1, TVentPpal::cGuardar);
    setrlimit(RLIMIT_FSIZE, &antes);
    QVERIFY(E->Mensajes().size() == 3 && !QFile::exists(Ruta("lleno.arb")));
    E->Elegir(Ruta("uno/a.sec"), 1, TVentPpal::cGuardarOper);
    E->Orden(TVentPpal::cAbrir);
    QCOMPARE(carpeta(), Ruta("uno"));
    E->Elegir(Ruta("dos/a.arb"), 1, TVentPpal::cGuardar);
    E->Orden(TVentPpal::cGuardarOper);
    QCOMPARE(carpeta(), Ruta("dos"));
    QVERIFY(v.GuardarOpciones());
    Nuevo();
    E->Orden(TVentPpal::cAbrir);
    QCOMPARE(carpeta(), Ruta("dos"));
  }
  // Builders show their kind, keep the box's text, can be undone, refuse what they cannot build. A motion holds the
  // workspace, as the panel says, until the window closes: that ends it at once.
  void ConstructoresDeDemostracion() {
    TVentPpal& v = Nuevo();
    v.edtValor()->setText(QStringLiteral("24"));  // a big tree is shown at once, with no motion holding the window
    QElapsedTimer t;
    t.start();
    E->Orden(v.ToolButton17());
    auto* avl = dynamic_cast<const TArbolAVL*>(&v.Estructura());
    QVERIFY(avl && avl->Consistente() && v.OpcArb()[1]->isChecked() && t.elapsed() < 5000);
    QCOMPARE(v.NombreArbol() + v.edtValor()->text(), QStringLiteral("Arbol AVL24"));
    QCOMPARE(v.Estructura().NumNodos, 121392);  // F(26) - 1 nodes in the order-24 tree
    v.edtValor()->setText(QStringLiteral("7"));
    E->Orden(v.ToolButton20());
    QVERIFY(dynamic_cast<const TMonticulo*>(&v.Estructura()) && v.OpcArb()[4]->isChecked());
    const QByteArray desordenado = E->Flujo();
    E->Orden(v.ToolButton21());
    E->Orden(TVentPpal::cDeshacer);
    QVERIFY(E->Flujo() == desordenado && E->Mensajes().isEmpty());
    for (const auto& [texto, fibonacci] : {std::pair{"-1", true}, {"31", true}, {"", true}, {"1000001", false}}) {
      Trabajo();
      const QByteArray antes = Estado();
      E->V().edtValor()->setText(QString::fromLatin1(texto));
      E->Orden(fibonacci ? E->V().ToolButton17() : E->V().ToolButton20());
      QVERIFY2(E->Mensajes().size() == 1 && Estado() == antes, texto);
    }
    TVentPpal& g = E->V();
    if (!g.btnAnimar()->isChecked()) g.btnAnimar()->trigger();
    Ajustar(g, [](TOpciones& o) { o.PausaAnim = 10000; });
    E->Teclear(QStringLiteral("-5"));
    QVERIFY(g.Lienzo().EnMovimiento() && g.Bloqueado() && g.Paneles()[4]->text() == "*");
    const TNodoBin* n = Nodo(g.Estructura(), -5);
    QVERIFY(g.close() && !g.Lienzo().EnMovimiento() && !g.Bloqueado() && n->X == n->XFin);
  }
  // Each long command cancelled at its first look at the events, before its dialog shows and by its
  // dialog's button once it shows the count, leaves everything as it was.
  void TrabajoCanceladoNoCambiaNada_data() {
    QTest::addColumn<std::function<void(TEntorno&, QString)>>("orden");
    QTest::addColumn<QString>("unidad");
    using V = TVentPpal;
    const auto abrir = [](int filtro) {
      return [filtro](TEntorno& e, QString ruta) {
        e.Elegir(ruta + (filtro == 1 ? ".sec" : ".arb"), filtro);
        e.V().Accion(V::cAbrir)->trigger();
      };
    };
    const auto demo = [](bool fib, const char* n) {
      return [fib, n](TEntorno& e, QString) {
        e.V().edtValor()->setText(QString::fromLatin1(n));
        (fib ? e.V().ToolButton17() : e.V().ToolButton20())->trigger();
      };
    };
    QTest::newRow("cambio de tipo") << std::function<void(TEntorno&, QString)>(
                                           [](TEntorno& e, QString) { e.V().OpcArb()[1]->trigger(); })
                                    << "de 3.001 operaciones";
    QTest::newRow("abrir estructura") << std::function<void(TEntorno&, QString)>(abrir(2)) << " bytes";
    QTest::newRow("abrir operaciones") << std::function<void(TEntorno&, QString)>(abrir(1)) << "de 12.000 bytes";
    QTest::newRow("fibonacci") << std::function<void(TEntorno&, QString)>(demo(true, "20")) << "de 17.710 nodos";
    QTest::newRow("montículo") << std::function<void(TEntorno&, QString)>(demo(false, "5000"))
                               << "de 5.000 valores";
    QTest::newRow("grabación") << std::function<void(TEntorno&, QString)>([](TEntorno& e, QString) {
      e.V().btnPaso()->trigger();
      e.V().RealizarInsercion(9000);
    }) << " etapas";
    QTest::newRow("exportar etapas") << std::function<void(TEntorno&, QString)>([](TEntorno& e, QString ruta) {
      e.Elegir(ruta + ".pdf", 1, V::cExportarEtapas);
      QVERIFY(!QFile::exists(ruta + ".pdf"));
    }) << " etapas";
  }
  void TrabajoCanceladoNoCambiaNada() {
    QFETCH(std::function<void(TEntorno&, QString)>, orden);
    QFETCH(QString, unidad);
    TTrabajo::IntervaloMs = 0;
    for (const bool conDialogo : {false, true}) {
      Largo();
      if (QTest::currentDataTag() == QByteArray("abrir operaciones")) {
        QVERIFY(EscribirFichero(Ruta("largo.sec"), Entradas(std::vector<std::int32_t>(3000, 7))));
      } else if (QTest::currentDataTag() == QByteArray("exportar etapas")) {
        E->V().btnPaso()->trigger(), E->V().RealizarInsercion(9000), E->V().Reproductor().Terminar();
      }
      const QByteArray antes = Todo();
      TTrabajo::RetrasoMs = conDialogo ? 0 : 1000000;
      QString texto;
      bool visto = false;
      QTimer::singleShot(0, [&] {
        TTrabajo* t = TTrabajo::Activo();
        if (!(visto = t != nullptr)) return;
        QProgressDialog* d = t->Dialogo();
        QCOMPARE(d != nullptr, conDialogo);
        QTest::keyClick(E->V().edtValor(), Qt::Key_Insert);  // a random insertion, were it let through
        if (!d) return t->Cancelar();
        texto = d->labelText();
        QVERIFY(d->isVisible());
        QTest::mouseClick(d->findChild<QPushButton*>(), Qt::LeftButton);
      });
      orden(*E, Ruta("largo"));
      QVERIFY2(visto && !TTrabajo::Activo(), conDialogo ? "con diálogo" : "sin diálogo");
      QVERIFY2(!conDialogo || texto.contains(unidad), qPrintable(texto));
      QCOMPARE(Todo(), antes);
      QVERIFY(E->Mensajes().isEmpty());
    }
  }
  // A close during long work cancels it and the window closes at once, nothing changed.
  void CierreDuranteTrabajo() {
    Largo();
    const QByteArray antes = Todo();
    TTrabajo::IntervaloMs = 0;
    QElapsedTimer reloj;
    QTimer::singleShot(0, [&] { reloj.start(), E->V().close(); });
    E->V().Accion(TVentPpal::cNuevo2)->trigger();
    QVERIFY(E->V().isVisible() && Todo() == antes);
    QTRY_VERIFY_WITH_TIMEOUT(!E->V().isVisible(), 1000);
    QVERIFY(reloj.elapsed() < 1000);
  }
};

QTEST_MAIN(PruebasHistoria)
#include "tst_historia.moc"
