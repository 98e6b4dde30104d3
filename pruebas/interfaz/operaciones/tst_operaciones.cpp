// The operation commands through the window, then the stages played after one; under the program's application.
#include "entorno.h"
#include "uAplicacion.h"
#include "uArbolAVL.h"
#include "uConversion.h"
#include "uGrabacion.h"
#include "uMonticulo.h"
#include "uPseudocodigo.h"
#include "uReproductor.h"
#include "uTrabajo.h"

namespace {
void Pulsar(TVentPpal& v, std::int32_t clave) {
  TNodoBin* n = Nodo(v.Estructura(), clave);
  QVERIFY(n);
  const QPoint p(n->X - v.Lienzo().DesplX(), n->Y - v.Lienzo().DesplY());
  QTest::mouseClick(v.Lienzo().Area(), Qt::LeftButton, {}, p);
}
std::int32_t Sel(const TVentPpal& v) { return v.Estructura().NodoSel ? v.Estructura().NodoSel->Valor : 0; }
// Keys or history entries as "30 50 70".
QString Ver(const std::vector<std::int32_t>& c) {
  QStringList s;
  for (std::int32_t k : c) s << QString::number(k);
  return s.join(' ');
}
// The keys and the history as "30 50 70|-50".
QString Hecho(const TVentPpal& v) { return Ver(Claves(v.Estructura())) + '|' + Ver(v.Historia().Entradas()); }
// The root 50 with 80 on its left: out of order for a search tree.
template <class T> std::unique_ptr<T> Desordenado() {
  auto a = std::make_unique<T>();
  a->Cargar(std::vector<std::uint8_t>{2, 0, 0, 0, 50, 0, 0, 0, 1, 0, 80, 0, 0, 0, 0, 0});
  return a;
}
QString Cadena(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
QString Valor(std::optional<std::int32_t> v) { return v ? QString::number(*v) : QStringLiteral("-"); }
QString Valor(const TNodoBin* n) { return Valor(n ? std::optional(n->Valor) : std::nullopt); }
// The state on show against the recording; then its picture.
QImage Mirar(TVentPpal& v) {
  [&] { QTRY_VERIFY_WITH_TIMEOUT(!v.Lienzo().EnMovimiento(), 10000); }();
  const TReproductor& r = v.Reproductor();
  const TGrabacion::TEtapa e = r.Grabacion()->Etapa(static_cast<std::size_t>(r.Etapa()));
  const TArbolBin* a = v.Lienzo().Vista();
  if (!a) return [] { QVERIFY(false); }(), QImage();
  std::vector<std::int32_t> marcados;
  RecorrerPreorden(a->Raiz, [&](TNodoBin* n, std::int32_t) { n->Marcado ? marcados.push_back(n->Valor) : void(); });
  const QStringList visto{Texto(v.DlgPaso(), "etqEtapa"), Texto(v.DlgPaso(), "edtDescripcion"),
                          Texto(v.DlgPaso(), "btnSeguir"), Ver(marcados), Valor(a->NodoSel), Valor(a->NodoBorrado)};
  const QStringList dicho{Cadena(e.Titulo), Cadena(e.Descripcion),
                          e.Tipo == 2 && !r.Despues() ? QStringLiteral("Efectuar!") : QStringLiteral("&Seguir >>"),
                          Ver(e.Marcados), Valor(e.Sel), Valor(e.Borrado)};
  [&] { QCOMPARE(visto, dicho); }();
  // The stage's listing with its line lit and in view; nothing for a stage without a line.
  auto* p = Control<QPlainTextEdit>(v.DlgPaso(), "edtPseudocodigo");
  const TListado* l = e.Linea > 0 ? BuscarListado(e.Listado) : nullptr;
  const QList<QTextEdit::ExtraSelection> lit = p->extraSelections();
  QStringList lineas;
  for (const std::string& t : l ? l->Lineas : std::vector<std::string>{}) lineas << QString::fromStdString(t);
  const QString visible = p->toPlainText() + '|' + (lit.isEmpty() ? QString() : lit[0].cursor.block().text());
  [&] { QCOMPARE(visible, l ? lineas.join('\n') + '|' + lineas[e.Linea - 1] : QStringLiteral("|")); }();
  [&] { QVERIFY(lit.isEmpty() || p->viewport()->rect().contains(p->cursorRect(lit[0].cursor))); }();
  return v.Lienzo().Imagen();
}
enum TOrden { Insertar, Deshacer, CambiarTipo, Abrir, Cerrar, Desbloquear };
}  // namespace

class PruebasOperaciones : public QObject {
  Q_OBJECT
  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }
  std::optional<TEntorno> E;

  // Jumps, back from the end (gliding across a change), forward: each state as recorded, one picture each.
  void Recorrer(int tipo, const std::vector<std::int32_t>& claves, int operacion, int clave) {
    TVentPpal& v = E.emplace(Fichero()).V();
    E->Orden(TEntorno::kNuevo[tipo]);
    E->Llenar(claves);
    E->Orden(TVentPpal::cAnim3);  // F4
    v.edtValor()->setText(QString::number(clave));
    v.lisOperacion()->setCurrentIndex(operacion % 3);
    operacion == 3 ? v.ToolButton20()->trigger(), v.ToolButton21()->trigger()
                   : QTest::keyClick(v.edtValor(), Qt::Key_Return);
    TReproductor& r = v.Reproductor();
    const std::vector<std::uint8_t> final = v.Estructura().Guardar();
    const int n = r.NumEtapas();
    QVERIFY(r.Activo() && v.DlgPaso()->isVisible() && n > 3);
    QList<int> tipos;  // "before" of each stage and "after" of a change: the states
    for (int k = 0; k < n; ++k) tipos << r.Grabacion()->Etapa(std::size_t(k)).Tipo;
    const auto estados = n + tipos.count(1) + tipos.count(2);
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
      QVERIFY(r.Etapa() == k && r.Despues() == (tipos[k] == 1));
      anotar("salto");
    }
    QTest::keyClick(&v.Lienzo(), Qt::Key_End);
    if (tipos[n - 1] == 2) QTest::keyClick(&v.Lienzo(), Qt::Key_Right);
    for (int i = 0; i < 4 * n && !(r.Etapa() == 0 && !r.Despues()); ++i) {
      anotar("atrás");
      const bool deshaceCambio = r.Despues() && tipos[r.Etapa()] == 2;
      if (r.Etapa() % 2)
        QTest::keyClick(&v.Lienzo(), Qt::Key_Left);
      else
        Control<QPushButton>(v.DlgPaso(), "btnAnterior")->click();
      QVERIFY(!deshaceCambio || v.Lienzo().EnMovimiento());
    }
    QVERIFY(r.Etapa() == 0 && !r.Despues());
    for (int pasos = 0; r.Activo() && pasos < 4 * n; ++pasos) {
      anotar("adelante");
      Control<QPushButton>(v.DlgPaso(), "btnSeguir")->click();
    }
    QVERIFY(!r.Activo() && vistos.size() == estados);
    QTRY_VERIFY_WITH_TIMEOUT(!v.Lienzo().EnMovimiento(), 10000);
    QVERIFY(!v.Lienzo().Vista() && !v.DlgPaso()->isVisible() && v.Estructura().Guardar() == final);
    const QImage fin = v.Lienzo().Imagen();
    v.Refrescar();
    QCOMPARE(v.Lienzo().Imagen(), fin);
  }

private Q_SLOTS:
  void init() { E.emplace(Fichero()); }
  void cleanup() { E.reset(); }
  // Every playback's states, whichever way reached (see Recorrer). Kind, keys, list entry (3: "Crear montículo"), key.
  void EstadosIgualesPorCualquierCamino() {
    const struct { int Tipo; std::vector<std::int32_t> Claves; int Operacion, Clave; } casos[] = {
        {0, {50, 30, 70, 20, 40}, 0, 40}, {1, {30, 10}, 1, 20}, {2, {10, 5, 15, 1, 7, 20, 0, 2}, 1, 3}, {3, {1, 2, 3}, 0, 1},
        {4, {5, 3, 8, 1, 9, 2, 7}, 2, 0}, {4, {}, 3, 7}};
    for (const auto& c : casos) {
      Recorrer(c.Tipo, c.Claves, c.Operacion, c.Clave);
      if (QTest::currentTestFailed()) return;
    }
  }
  // Typed, then by the button, under each list entry; a bad text is reported (empty: silently) and changes nothing.
  void OperacionSegunLaLista() {
    const struct { int Indice; const char *Texto, *Hecho; int Sel; } casos[] = {
        {0, "30", "30 50 70|", 30}, {1, "$3C", "30 50 60 70|60", 0}, {1, "30", "30 50 70|30", 0},
        {2, "50", "30 70|-50", 0},  {2, "99", "30 50 70|", 0},       {1, "abc", "30 50 70|", 70},
        {2, "", "30 50 70|", 70}};
    for (const auto& c : casos) {
      TVentPpal& v = E.emplace(Fichero()).V();
      E->Llenar({50, 30, 70});
      const auto antes = v.Estructura().Guardar();
      const QString texto = QString::fromLatin1(c.Texto);
      const bool malo = !ConvertirEntero(texto);
      QSignalSpy intro(v.edtValor(), &QLineEdit::returnPressed);
      v.lisOperacion()->setCurrentIndex(c.Indice);
      E->Teclear(texto);
      v.Accion(TVentPpal::cOperacion)->trigger();
      QCOMPARE(QStringList({QString::number(intro.count()), QString::number(v.lisOperacion()->currentIndex()),
                            v.edtValor()->text(), Hecho(v), QString::number(Sel(v)), E->Mensajes().join('/')}),
               QStringList({QString::number(malo), QString::number(c.Indice), malo ? texto : QString(), c.Hecho,
                            QString::number(c.Sel), malo && !texto.isEmpty() ? "Valor erroneo!/Valor erroneo!" : ""}));
      const bool paso = !QString::fromLatin1(c.Hecho).endsWith('|');  // a search is no step, nor what failed
      QCOMPARE(v.Historia().NumPasos(), std::size_t(paso));
      E->Orden(TVentPpal::cDeshacer);
      QVERIFY(v.Historia().Actual() == 0 && v.Estructura().Guardar() == antes);
    }
  }
  // What converts to a 32-bit key and what is refused.
  void Conversion() {
    const std::pair<QString, std::optional<std::int32_t>> casos[] = {
        {"   000042", 42}, {"+7", 7}, {"-7", -7}, {"$1F", 31}, {"x1f", 31}, {"0x1F", 31}, {"0X1f", 31}, {"$aA", 170},
        {"-$10", -16}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"-$80000000", INT32_MIN},
        {"$7FFFFFFF", INT32_MAX}, {QString(5000, u'0') + u'9', 9}, {"", {}}, {"-", {}}, {"12 ", {}}, {"+-1", {}},
        {"12a", {}}, {"$", {}}, {"0x", {}}, {"$1G", {}}, {"1F", {}}, {"$-1", {}}, {"2147483648", {}}, {"\t1", {}},
        {"-2147483649", {}}, {"$80000000", {}}, {"$FFFFFFFF", {}}, {"99999999999999999999999", {}}, {"\u0663", {}}};
    for (const auto& [texto, valor] : casos) QVERIFY2(ConvertirEntero(texto) == valor, qPrintable(texto.left(20)));
    QCOMPARE(ExigirEntero(QStringLiteral("$10")), 16);
    QVERIFY_THROWS_EXCEPTION(EConversion, ExigirEntero(QStringLiteral("cien")));
    // Lists: the keys in order, or the first bad element named; a text of one element is kept whole, as one key.
    const std::pair<const char*, const char*> listas[] = {
        {"50 30 70, 20; 40", "50 30 70 20 40"}, {"  1 ,2 ;  3  ", "1 2 3"}, {" 7 ", "[ 7 ]"}, {"", "[]"},
        {"-2147483648;$7FFFFFFF", "-2147483648 2147483647"},
        {"2147483648 1", "'2147483648' no es un valor entero válido (elemento 1 de 2)."},
        {"1 -2147483649 2", "'-2147483649' no es un valor entero válido (elemento 2 de 3)."},
        {"1 2\t3", "'2\t3' no es un valor entero válido (elemento 2 de 2)."},
        {"5,,6", "Falta un valor (elemento 2 de 3)."}, {"5 , ;6", "Falta un valor (elemento 2 de 3)."},
        {",5", "Falta un valor (elemento 1 de 2)."}, {"5;", "Falta un valor (elemento 2 de 2)."}};
    for (const auto& [texto, dicho] : listas) {
      const QString t = QString::fromUtf8(texto);
      const QList<QStringView> e = ElementosLista(t);
      QString visto = '[' + e[0].toString() + ']';
      try {
        if (e.size() > 1) visto = Ver(ExigirClaves(e));
      } catch (const EConversion& error) { visto = QString::fromUtf8(error.what()); }
      QCOMPARE(visto, QString::fromUtf8(dicho));
    }
  }
  // A list runs its keys in order, each its own operation, as if typed one by one; a bad element runs nothing;
  // a cancel of a long list stops between two keys, the keys done kept.
  void ListaDeClaves() {
    E->Construir(1, {"+50", "+30", "+70", "+20", "+40", "+-2147483648", "-30", "-70"});
    const QByteArray esperado = E->Flujo();
    const QString hecho = Hecho(E->V());
    TVentPpal& v = E.emplace(Fichero()).V();
    E->Orden(TEntorno::kNuevo[1]);
    const QString largo = '+' + QStringLiteral("1 ").repeated(20000) + 'x';  // past a line edit's usual 32767
    for (const QString& t : {QStringLiteral("+50 30 70, 20; 40 -$80000000"), QStringLiteral("-30,99 ; 70"), largo,
                             QStringLiteral("-1,,2")})
      E->Hacer(t);
    QCOMPARE(Hecho(v), hecho);
    QVERIFY(E->Flujo() == esperado && v.edtValor()->text() == "1,,2");
    QCOMPARE(E->Mensajes(), QStringList({"'x' no es un valor entero válido (elemento 20001 de 20001).",
                                         "Falta un valor (elemento 2 de 3)."}));
    E->Orden(TVentPpal::cLimpiar);
    TTrabajo::IntervaloMs = 0;
    QTimer corte;
    corte.callOnTimeout([&] {
      if (TTrabajo::Activo() && v.Estructura().NumNodos >= 3) TTrabajo::Activo()->Cancelar();
    });
    corte.start(0);
    E->Hacer(QStringLiteral("+1 2 3 4 5 6 7 8 9 10"));
    TTrabajo::IntervaloMs = 25;
    const auto entradas = v.Historia().Entradas();
    QVERIFY(entradas.size() >= 3 && entradas.size() < 10 && entradas == Claves(v.Estructura()) && entradas[0] == 1);
  }
  // With stages each key's operation starts once the playback before has ended; a new command or F2 drops the rest.
  void ListaConEtapas() {
    TVentPpal& v = E->V();
    TReproductor& r = v.Reproductor();
    E->Orden(TVentPpal::cAnim2);  // F3: the stages play by themselves
    v.lisOperacion()->setCurrentIndex(1);
    E->Teclear(QStringLiteral("10 20 30"));
    QVERIFY(r.Activo() && Hecho(v) == "10|10");
    QCOMPARE(Texto(v.DlgPaso(), "etqTitulo"), QStringLiteral("Insercion en Arbol BST (1 de 3)"));
    QTRY_VERIFY_WITH_TIMEOUT(!r.Activo() && v.Conductor().ClavesPendientes() == 0 && !v.DlgPaso()->isVisible(), 10000);
    QCOMPARE(Hecho(v), QStringLiteral("10 20 30|10 20 30"));
    E->Orden(TVentPpal::cAnim3);  // F4: stage by stage
    for (const char* corte : {"F2", "99"}) {
      v.lisOperacion()->setCurrentIndex(2);
      E->Teclear(QStringLiteral("10 77 20 30"));  // nothing to show for 77: the next key follows
      while (r.Activo()) r.Siguiente();
      QTRY_VERIFY_WITH_TIMEOUT(r.Activo(), 10000);
      QCOMPARE(Texto(v.DlgPaso(), "etqTitulo"), QStringLiteral("Borrado en Arbol BST (3 de 4)"));
      QCOMPARE(v.Conductor().ClavesPendientes(), std::size_t{1});
      if (corte == QByteArray("F2"))
        v.Accion(TVentPpal::cAnim1)->trigger();
      else
        v.lisOperacion()->setCurrentIndex(1), E->Teclear(QString::fromLatin1(corte));
      while (r.Activo()) r.Siguiente();
      E->Esperar();
      QTest::qWait(50);
      QVERIFY(!r.Activo() && v.Conductor().ClavesPendientes() == 0 && E->Contiene(30));
      E->Orden(TVentPpal::cAnim3);
      E->Hacer(QStringLiteral("+10")), E->Hacer(QStringLiteral("+20"));
    }
    QCOMPARE(Hecho(v), QStringLiteral("10 20 30 99|10 20 30 -10 -20 10 20 -10 -20 99 10 20"));
  }
  // A click selects, searches or deletes as the mouse menu says; "Insertar siguiente" takes the next key if any.
  void ClicEInsertarSiguiente() {
    TVentPpal& v = E->V();
    E->Llenar({50, 30, 70});
    Pulsar(v, 70);
    QVERIFY(Sel(v) == 70 && v.Historia().NumOper() == 0);
    QTest::mouseClick(v.Lienzo().Area(), Qt::LeftButton, {}, QPoint(v.Lienzo().Area()->width() - 2, 2));
    QCOMPARE(Sel(v), 0);
    v.OpcRatBus()->trigger();
    Pulsar(v, 30);
    QVERIFY(v.lisOperacion()->currentIndex() == 0 && Sel(v) == 30);
    v.OpcRatDel()->trigger();
    Pulsar(v, 30);
    QCOMPARE(Hecho(v), QStringLiteral("50 70|-30"));
    v.PonerEstructura(std::make_unique<TMonticulo>());
    E->Llenar({5, 3, 8});
    Pulsar(v, 8);
    QCOMPARE(Hecho(v), QStringLiteral("5 8|-8"));
    E->Orden(TVentPpal::cNuevo1);
    E->Llenar({8});
    v.edtValor()->setText(QStringLiteral("7"));
    v.Accion(TVentPpal::cInsSig)->trigger();
    QVERIFY(v.edtValor()->text() == "8" && Sel(v) == 8 && v.Historia().NumOper() == 0);
    for (const QString& t : {QStringLiteral("8"), QStringLiteral("nueve"), QString(), QString::number(INT32_MAX)}) {
      v.edtValor()->setText(t);
      v.Accion(TVentPpal::cInsSig)->trigger();
      QCOMPARE(v.edtValor()->text() + '|' + Hecho(v), (t == "8" ? QStringLiteral("9") : t) + "|8 9|9");
    }
    QVERIFY(E->Mensajes().isEmpty());
  }
  // Ins draws 1..ValMax, F10 and Shift+Del the k-th key, k drawn from the count; 1000 draws without a new key
  // are reported; the range box asks with the bound, takes any integer; ranges below 1 give 1.
  void ClavesAlAzarYRango() {
    TVentPpal& v = E->V();
    TSemillaGuardada semilla(12345);
    TAleatorio g = GeneradorPrograma();
    for (int i = 0; i < 15; ++i) v.Accion(TVentPpal::cInsertar)->trigger();
    QVERIFY(Claves(v.Estructura()).size() == 15 && v.Historia().Entradas()[0] == std::int32_t(g.Extraer(99) + 1));
    for (auto orden : {TVentPpal::cBuscar, TVentPpal::cBorrar}) {
      TAleatorio copia = GeneradorPrograma();
      const auto c = Claves(v.Estructura());
      const std::int32_t k = c[copia.Extraer(static_cast<std::uint32_t>(c.size()))];
      v.Accion(orden)->trigger();
      QCOMPARE(v.edtValor()->text(), QString::number(k));
      QVERIFY(orden == TVentPpal::cBuscar ? Sel(v) == k : v.Historia().Entradas()[15] == -k && !E->Contiene(k));
    }
    E->Orden(TVentPpal::cLimpiar);
    Ajustar(v, [](TOpciones& o) { o.ValMax = 5; });
    E->Llenar({1, 2, 3, 4, 5});
    const auto antes = v.Historia().NumPasos();
    v.edtValor()->setText(QStringLiteral("x"));
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(E->Mensajes(), QStringList{"Lo siento, pero tras 1000 intentos no he encontrado un valor aleatorio que "
                                        "no pertenezca al arbol!"});
    QVERIFY(v.edtValor()->text() == "x" && v.Historia().NumOper() == 0 && v.Historia().NumPasos() == antes);
    E->Mensajes().clear();
    auto& entrada = *E->Plataforma.Entrada;
    entrada.Respuestas = {QStringLiteral("250"), QStringLiteral("doscientos"), std::nullopt, QStringLiteral("-3")};
    for (int i = 0; i < 4; ++i) v.Accion(TVentPpal::cRango)->trigger();
    QCOMPARE(entrada.Preguntas, QStringList{"Rango de elementos|Valor máximo = |5"} +
                                    QStringList(3, QStringLiteral("Rango de elementos|Valor máximo = |250")));
    QCOMPARE(E->Mensajes(), QStringList{QStringLiteral("'doscientos' no es un valor entero válido.")});
    QCOMPARE(v.OpcionesActuales().ValMax, -3);
    for (std::int32_t maximo : {-3, INT32_MIN}) {
      Ajustar(v, [&](TOpciones& o) { o.ValMax = maximo; });
      E->Orden(TVentPpal::cLimpiar);
      v.Accion(TVentPpal::cInsertar)->trigger();
      QCOMPARE(Ver(Claves(v.Estructura())), QStringLiteral("1"));
    }
    Ajustar(v, [](TOpciones& o) { o.ValMax = INT32_MAX; });
    GeneradorPrograma().Semilla = 0xFFFFFFFFu;
    for (int i = 0; i < 50; ++i) v.Accion(TVentPpal::cInsertar)->trigger();
    QVERIFY(Claves(v.Estructura()).size() == 51 && Claves(v.Estructura()).front() == 1);
  }
  // After a change (not a search) every check's fault is shown; an engine error, in an operation with stages or any
  // event, reaches the handler: the changes stay, as a step of the history, the window free, no step window.
  void ComprobacionesYErrores() {
    TVentPpal& v = E->V();
    auto avl = Desordenado<TArbolAVL>();
    static_cast<TNodoAVL*>(avl->Raiz->Izq)->FactorEquilibrio = 1;
    v.PonerEstructura(std::move(avl));
    v.RealizarBusqueda(10);
    v.RealizarInsercion(90);
    QCOMPARE(E->Mensajes(), (QStringList{"Arbol no ordenado!", "Arbol AVL inconsistente!"}));
    QCOMPARE(Ver(Claves(v.Estructura())), QStringLiteral("50 80 90"));
    E->Mensajes().clear();
    E->Orden(TVentPpal::cLimpiar);
    E->Orden(TVentPpal::cNuevo3);
    v.btnPaso()->trigger();
    for (const char* t : {"+10", "+5", "+15", "+1", "-15"}) E->Hacer(QString::fromLatin1(t));
    QVERIFY(v.Historia().NumOper() == 5 && E->Mensajes().isEmpty());
    v.lisOperacion()->setCurrentIndex(1);
    QSignalSpy intro(v.edtValor(), &QLineEdit::returnPressed);
    E->Teclear(QStringLiteral("20"));  // the black-path check fails
    QCOMPARE(E->Mensajes(), QStringList{"Fallo camino negro!"});
    QVERIFY(intro.count() == 0 && E->Contiene(20) && v.Historia().NumOper() == 6);
    QVERIFY(!v.Bloqueado() && !E->Paso()->isVisible() && !v.Reproductor().Activo() && v.EstructuraLibre());
    QCOMPARE(Texto(E->Paso(), "btnSeguir"), QStringLiteral("&Seguir >>"));
    QTimer::singleShot(0, [] { throw EArbol("Inserción en AVL: Caso imposible!"); });
    QTRY_COMPARE_WITH_TIMEOUT(E->Mensajes().size(), 2, 10000);
    QVERIFY(E->Mensajes().back() == QStringLiteral("Inserción en AVL: Caso imposible!") && !v.Bloqueado());
  }
  // A command in the middle of a playback acts as it would without one; what plays on is a new operation.
  void OrdenesDuranteLaReproduccion() {
    const QString lista = Dir.filePath(QStringLiteral("lista.sec"));
    QVERIFY(EscribirFichero(lista, Entradas(std::vector<std::int32_t>{8, 4, 12, -8})));
    for (int orden = Insertar; orden <= Desbloquear; ++orden) {
      auto tras = [&](bool conEtapas) {
        TVentPpal& v = E.emplace(Fichero()).V();
        E->Construir(1, {"+50", "+30", "+70", "+40"});
        E->Orden(conEtapas ? TVentPpal::cAnim3 : TVentPpal::cAnim1);
        E->Teclear(QStringLiteral("35"));
        [&] { QCOMPARE(v.Reproductor().Activo(), conEtapas); }();
        if (conEtapas) v.Reproductor().Siguiente(), v.Reproductor().Siguiente();
        switch (orden) {
        case Insertar: E->Teclear(QStringLiteral("36")); break;
        case Deshacer: v.Accion(TVentPpal::cDeshacer)->trigger(); break;
        case CambiarTipo: v.Accion(TVentPpal::cNuevo3)->trigger(); break;
        case Abrir: E->Elegir(lista, 1), v.Accion(TVentPpal::cAbrir)->trigger(); break;
        case Cerrar: [&] { QVERIFY(v.close() && !v.isVisible()); }(); break;
        case Desbloquear: v.Accion(TVentPpal::cDesbloqueo)->trigger(); break;
        }
        [&] { QVERIFY(E->Mensajes().isEmpty() && (!v.Lienzo().Vista() || orden == Insertar)); }();
        [&] { QVERIFY(v.DlgPaso()->isVisible() == (v.Reproductor().Activo() && orden == Insertar)); }();
        return std::make_pair(v.Estructura().Guardar(), v.Historia().Entradas());
      };
      const auto sinEtapas = tras(false);
      QVERIFY2(tras(true) == sinEtapas && !QTest::currentTestFailed(), qPrintable(QString::number(orden)));
    }
  }
  // "Exportar etapas...": off until an operation is recorded; each picture is the canvas at one of the player's
  // stops in order, then at the result; the PDF has as many pages; an output that cannot be written is told.
  void ExportarEtapas() {
    TVentPpal& v = E->V();
    TReproductor& r = v.Reproductor();
    QAction* exportar = v.Accion(TVentPpal::cExportarEtapas);
    E->Orden(TEntorno::kNuevo[4]);
    E->Llenar({50, 30, 70, 20});
    E->Orden(TVentPpal::cAnim3);
    QVERIFY(!exportar->isEnabled());
    v.lisOperacion()->setCurrentIndex(2);
    E->Teclear(QStringLiteral("1"));  // stages that lay out, and ones that wait for "Efectuar!"
    QVERIFY(r.Activo() && exportar->isEnabled());
    QList<QImage> lienzo;
    for (int k = 0; k < r.NumEtapas(); ++k) {
      Q_EMIT v.DlgPaso()->Saltar(k), lienzo << Mirar(v);
      if (r.Grabacion()->Etapa(std::size_t(k)).Tipo == 2) r.Siguiente(), lienzo << Mirar(v);
    }
    r.Siguiente(), E->Esperar();
    QVERIFY(!r.Activo() && lienzo.size() > r.NumEtapas() + 1);
    lienzo << v.Lienzo().Imagen();
    E->Elegir(Dir.filePath("p"), 2, TVentPpal::cExportarEtapas);
    E->Elegir(Dir.filePath("l"), 1, TVentPpal::cExportarEtapas);
    E->Elegir(Dir.filePath("no/hay/x"), 1, TVentPpal::cExportarEtapas);
    const QStringList pngs = QDir(Dir.filePath("p")).entryList({"*.png"}, QDir::Files, QDir::Name);
    QCOMPARE(pngs.size(), lienzo.size());
    for (int i = 0; i < pngs.size(); ++i)
      QVERIFY2(QImage(Dir.filePath("p/" + pngs[i])).convertToFormat(QImage::Format_RGB32) == lienzo[i], qPrintable(pngs[i]));
    QFile pdf(Dir.filePath("l.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(QString(pdf.readAll()).count(QRegularExpression("/Type /Page\\b(?!s)")), lienzo.size());
    QVERIFY(E->Mensajes().size() == 1 && E->Mensajes()[0].contains("no se puede escribir la salida"));
    QCOMPARE(v.Paneles()[5]->text(), " Etapas exportadas en " + QDir::toNativeSeparators(Dir.filePath("l.pdf")));
  }
  // F3 plays the stages alone, Space pauses; F2 ends a playback and turns the glides off, F4 on again.
  void PausasAvanzanSolasYEspacioPausa() {
    TVentPpal& v = E->V();
    E->Llenar({50, 30, 70});
    v.Accion(TVentPpal::cAnim2)->trigger();
    E->Teclear(QStringLiteral("60"));
    TReproductor& r = v.Reproductor();
    QVERIFY(r.Activo() && r.Reproduciendo() && E->Contiene(60));  // the structure holds the result at once
    QCOMPARE(Texto(v.DlgPaso(), "etqTitulo"), QStringLiteral("Insercion en Arbol BST"));
    QTest::keyClick(&v.Lienzo(), Qt::Key_Space);
    const int k = r.Etapa();
    QTest::qWait(60);
    QVERIFY(!r.Reproduciendo() && r.Etapa() == k);
    QTest::keyClick(&v.Lienzo(), Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(!r.Activo(), 10000);
    QVERIFY(!v.DlgPaso()->isVisible() && !v.Estructura().NodoSel);
    v.Accion(TVentPpal::cAnim3)->trigger();
    E->Teclear(QStringLiteral("20"));
    QVERIFY(r.Activo());
    v.Accion(TVentPpal::cAnim1)->trigger();
    QVERIFY(!r.Activo() && !v.DlgPaso()->isVisible());
    E->Teclear(QStringLiteral("10"));
    QVERIFY(!r.Activo() && Nodo(v.Estructura(), 10)->Y > Nodo(v.Estructura(), 20)->Y);
    v.btnPaso()->trigger();
    E->Teclear(QStringLiteral("5"));
    QVERIFY(r.Activo());
    for (; r.Activo(); r.Siguiente()) QVERIFY(!v.Lienzo().EnMovimiento());
    E->Orden(TVentPpal::cAnim3);
    QVERIFY(v.btnAnimar()->isChecked());
  }
};

int main(int argc, char* argv[]) {
  TAplicacion app(argc, argv);
  PruebasOperaciones pruebas;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&pruebas, argc, argv);
}

#include "tst_operaciones.moc"
