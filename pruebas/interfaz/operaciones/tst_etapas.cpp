// Step presentation and node motion through the window: stage texts, the two
// presses of a shape change, pauses, motion frames, the lock and F8, commands
// refused under a suspended operation, and the window closing mid-operation.
#include "entorno.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <ctime>
#include <optional>

namespace {

const QString kBloqueo = QStringLiteral(" [Bloqueado] - F8 para recuperar.");

bool TodosEnDestino(TVentPpal& v) {
  return !RecorrerPreorden(v.Arbol->Raiz, [](TNodoBin* n, std::int32_t) { return n->X != n->XFin || n->Y != n->YFin; });
}

// Nothing of an operation left over: no lock, no motion, no step window,
// neither the motion's mark nor the lock's text in the status bar.
void ComprobarTerminada(TVentPpal& v) {
  QVERIFY(!v.Bloqueado);
  QVERIFY(!v.Lienzo->EnMovimiento());
  QVERIFY(!v.DlgPaso() || !v.DlgPaso()->isVisible());
  QCOMPARE(v.Paneles[4]->text(), QString());
  QVERIFY(v.Paneles[5]->text() != kBloqueo);
}

}  // namespace

class PruebasEtapas : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }
  std::optional<TEntorno> E;

  // A fresh program showing 50 with its children 30 and 70.
  TVentPpal& Nuevo() {
    E.emplace(Fichero());
    E->Llenar({50, 30, 70});
    return E->V();
  }

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }
  void cleanup() { E.reset(); }

  void EtapasDescritasUnaAUna() {
    TVentPpal& v = Nuevo();
    v.btnPaso->trigger();
    QStringList estado;
    TPulsador p(E->Paso(), [&](TPulsador& pul) {
      estado << QStringLiteral("%1 %2").arg(int(v.Bloqueado)).arg(v.Paneles[5]->text());
      if (pul.Vistos.size() == 1) {
        // Placed in the bottom-right corner of the main window on showing;
        // moved away, it keeps its new place for the rest of the operation.
        const QRect r = v.frameGeometry();
        const QSize t = E->Paso()->frameGeometry().size();
        QCOMPARE(E->Paso()->pos(), QPoint(r.left() + r.width() - t.width() - 5, r.top() + r.height() - t.height() - 5));
        E->Paso()->move(10, 10);
      }
      QCOMPARE(E->Paso()->pos(), QPoint(10, 10));
      pul.Pulsar();
    });
    QSignalSpy intro(v.edtValor, &QLineEdit::returnPressed);
    E->Teclear(QStringLiteral("60"));
    const QString hoja = QStringLiteral(
        "Inserción como hoja|El nodo se inserta como hijo del nodo encontrado en la búsqueda.|");
    QCOMPARE(p.Vistos, (QStringList{"Búsqueda del valor 60|Comparando con elemento 50|&Seguir >>",
                                    "Búsqueda del valor 60|Comparando con elemento 70|&Seguir >>",
                                    "Busqueda finalizada|No se encontro un nodo con ese valor. Si se "
                                    "inserta ese valor, será un hijo del nodo seleccionado.|&Seguir >>",
                                    hoja + "Efectuar!", hoja + "&Seguir >>"}));
    QCOMPARE(estado, QStringList(5, QStringLiteral("1 ") + kBloqueo));
    QCOMPARE(Texto(E->Paso(), "etqTitulo"), QStringLiteral("Insercion en Arbol BST"));
    ComprobarTerminada(v);
    QCOMPARE(v.Paneles[5]->text(), QString());
    QCOMPARE(intro.count(), 0);  // the Enter key went no further
    QCOMPARE(v.edtValor->text(), QString());
    QVERIFY(E->Contiene(60));
    QCOMPARE(v.Historia.NumOper(), 1);
    QVERIFY(!v.Arbol->NodoSel);
  }

  void SinEtapasNoHayVentanaNiBloqueo() {
    TVentPpal& v = Nuevo();
    v.Accion(TVentPpal::cAnim1)->trigger();  // F2: everything up
    TPulsador p(E->Paso());
    E->Teclear(QStringLiteral("20"));
    QVERIFY(p.Vistos.isEmpty());
    QVERIFY(!v.Arbol->MostrarEtapas());
    ComprobarTerminada(v);
    QVERIFY(E->Contiene(20));
    QVERIFY(Nodo(*v.Arbol, 20)->Y > Nodo(*v.Arbol, 30)->Y);  // laid out at once, not left on its parent
  }

  void PausasTerminanSolas() {
    TVentPpal& v = Nuevo();
    v.btnPaso2->trigger();
    v.PausaPres = 30;
    QStringList durante;
    QObject ambito;  // the sample dies with the test
    QTimer::singleShot(10, &ambito, [&] { durante << QStringLiteral("%1 %2").arg(int(v.Bloqueado)).arg(v.Paneles[5]->text()); });
    TPulsador p(E->Paso());
    QElapsedTimer reloj;
    reloj.start();
    E->Teclear(QStringLiteral("60"));
    // Three comparison or result stages of kind 0, 30 ms each; the leaf's
    // stage lays out without waiting.
    QVERIFY2(reloj.elapsed() >= 90, qPrintable(QString::number(reloj.elapsed())));
    QCOMPARE(durante, QStringList{QStringLiteral("1 ") + kBloqueo});
    QVERIFY(p.Vistos.isEmpty());
    ComprobarTerminada(v);
    QVERIFY(E->Contiene(60));
  }

  void PausasAnimadasEsperanAlMovimiento() {
    TVentPpal& v = Nuevo();
    v.Accion(TVentPpal::cAnim2)->trigger();  // F3
    QVERIFY(v.btnAnimar->isChecked() && v.btnPaso2->isChecked() && !v.btnPaso->isChecked());
    QSignalSpy ticks(v.Lienzo->Timer1(), &QTimer::timeout);
    E->Teclear(QStringLiteral("60"));
    // The leaf's stage started the one motion and waited for its end.
    QCOMPARE(ticks.count(), v.PausaNumEtap + 1);
    ComprobarTerminada(v);
    QVERIFY(TodosEnDestino(v));
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
    TVentPpal& v = Nuevo();
    v.PausaAnim = pausa;
    v.PausaNumEtap = pasos;
    v.IniciarAnimacion();
    QCOMPARE(v.Lienzo->Timer1()->interval(), intervalo);
    // The way from 0 to 1000, whatever the layout said.
    TNodoBin* n = v.Arbol->Raiz;
    n->XIni = 0;
    n->XFin = 1000;
    QList<int> vistos;
    QObject::connect(v.Lienzo->Timer1(), &QTimer::timeout, [&] { vistos << n->X; });
    QTRY_VERIFY(!v.Lienzo->EnMovimiento());
    QCOMPARE(vistos, xs);
    ComprobarTerminada(v);
  }

  void MovimientoQueAcabaEnUnaEsperaLaDejaBloqueada() {
    TVentPpal& v = Nuevo();
    v.Accion(TVentPpal::cAnim3)->trigger();  // F4
    QVERIFY(v.btnAnimar->isChecked() && v.btnPaso->isChecked() && !v.btnPaso2->isChecked());
    QStringList alAcabar;
    TPulsador p(E->Paso(), [&](TPulsador& pul) {
      if (v.Lienzo->EnMovimiento()) {
        // Ticks arrive inside the wait; the motion ends while it waits.
        QTRY_VERIFY(!v.Lienzo->EnMovimiento());
        alAcabar << QStringLiteral("%1 %2 %3").arg(int(v.Bloqueado)).arg(v.Paneles[4]->text(), v.Paneles[5]->text());
      }
      pul.Pulsar();
    });
    E->Teclear(QStringLiteral("60"));
    QCOMPARE(p.Vistos.size(), 5);
    QCOMPARE(alAcabar, QStringList{QStringLiteral("1  ") + kBloqueo});
    ComprobarTerminada(v);
    QVERIFY(TodosEnDestino(v));
  }

  void F8YComandosRechazadosDuranteUnaEtapa() {
    TVentPpal& v = Nuevo();
    v.btnPaso->trigger();
    TPulsador p(E->Paso(), [&](TPulsador& pul) {
      if (pul.Vistos.size() > 1)
        return pul.Pulsar();
      QVERIFY(v.Bloqueado);
      v.Accion(TVentPpal::cDesbloqueo)->trigger();
      QVERIFY(!v.Bloqueado);
      QCOMPARE(v.Paneles[5]->text(), kBloqueo);  // F8 does nothing else
      QVERIFY(!v.EstructuraLibre());
      // Every way into the structure is refused while the operation waits.
      const auto antes = v.Arbol->Guardar();
      for (auto c : {TVentPpal::cInsertar, TVentPpal::cBuscar, TVentPpal::cBorrar})
        v.Accion(c)->trigger();
      v.edtValor->setText(QStringLiteral("40"));
      v.Accion(TVentPpal::cInsSig)->trigger();
      QTest::keyClick(v.edtValor, Qt::Key_Return);
      v.Accion(TVentPpal::cOperacion)->trigger();
      QCOMPARE(v.edtValor->text(), QStringLiteral("40"));  // neither the next key nor an operation
      v.OpcRatDel->trigger();
      QTest::mouseClick(v.Lienzo->Area(), Qt::LeftButton, {}, QPoint(Nodo(*v.Arbol, 30)->X - v.Lienzo->DesplX(), Nodo(*v.Arbol, 30)->Y - v.Lienzo->DesplY()));
      v.RealizarBorrado(30);
      v.RealizarInsercion(99);
      QVERIFY(v.Arbol->Guardar() == antes);
      QCOMPARE(v.Historia.NumOper(), 0);
      QCOMPARE(v.lisOperacion->currentIndex(), 1);
      QVERIFY(v.Paneles[5]->text().contains(QStringLiteral("operación en curso")));
      QCOMPARE(E->Mensajes(), QStringList{});
      // The wait still paints, ticks and takes input: the press comes from
      // a timer, and the canvas repaints meanwhile.
      Pintados_ = 0;
      v.Lienzo->Area()->installEventFilter(this);
      v.Lienzo->Area()->update();
      QTimer::singleShot(20, [&pul] { pul.Pulsar(); });
    });
    E->Teclear(QStringLiteral("60"));
    v.Lienzo->Area()->removeEventFilter(this);
    QVERIFY(Pintados_ > 0);
    QCOMPARE(p.Vistos.size(), 5);
    QCOMPARE(v.Arbol->NumNodos, 4);
    QCOMPARE(v.Historia.NumOper(), 1);
    // With the operation over the same commands work again.
    v.OpcRatSel->trigger();
    v.Accion(TVentPpal::cAnim1)->trigger();
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.Arbol->NumNodos, 5);
  }

  void CambioDeModoDuranteUnaEtapa() {
    TVentPpal& v = Nuevo();
    v.btnPaso->trigger();
    TPulsador p(E->Paso(), [&](TPulsador& pul) {
      // The handler that is running keeps its place; the rest of the
      // operation goes on with pauses and no text.
      v.btnPaso2->trigger();
      pul.Pulsar();
    });
    E->Teclear(QStringLiteral("60"));
    QCOMPARE(p.Vistos.size(), 1);
    ComprobarTerminada(v);
    QVERIFY(E->Contiene(60));
    QVERIFY(v.Arbol->MostrarEtapas());
    v.btnPaso2->trigger();  // both up: the structure stops reporting
    QVERIFY(!v.Arbol->MostrarEtapas());
  }

  void CierreDuranteUnaEtapa() {
    TVentPpal& v = Nuevo();
    v.btnPaso->trigger();
    v.btnAnimar->trigger();
    TPulsador p(E->Paso(), [&](TPulsador&) { v.close(); });
    E->Teclear(QStringLiteral("60"));
    // The operation ran to its end without showing anything more.
    QCOMPARE(p.Vistos.size(), 1);
    QVERIFY(!v.isVisible());
    ComprobarTerminada(v);
    QVERIFY(E->Contiene(60));
    QCOMPARE(v.Historia.NumOper(), 1);
    // The seventeen values, the step window's place and size, its speed.
    QCOMPARE(QSettings(Fichero(), QSettings::IniFormat).allKeys().size(), 22);
    QCOMPARE(E->Mensajes(), QStringList{});

    // Shown again, the window presents its stages as before.
    v.show();
    TPulsador otra(E->Paso());
    v.btnAnimar->trigger();
    E->Teclear(QStringLiteral("65"));
    QVERIFY(otra.Vistos.size() > 1);
    QVERIFY(E->Contiene(65));
  }

  void CierreDuranteUnaPausa() {
    TVentPpal& v = Nuevo();
    v.btnPaso2->trigger();
    v.PausaPres = 10000;
    QTimer::singleShot(30, &v, [&v] { v.close(); });
    QElapsedTimer reloj;
    reloj.start();
    E->Teclear(QStringLiteral("60"));
    QVERIFY(reloj.elapsed() < 5000);
    QVERIFY(E->Contiene(60));
    ComprobarTerminada(v);
  }

  void CierreDuranteUnMovimiento() {
    TVentPpal& v = Nuevo();
    v.btnAnimar->trigger();
    v.PausaAnim = 10000;
    E->Teclear(QStringLiteral("60"));
    // The driver returned at once; the motion holds the workspace.
    QVERIFY(v.Lienzo->EnMovimiento());
    QVERIFY(v.Bloqueado);
    QCOMPARE(v.Paneles[4]->text(), QStringLiteral("*"));
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.Arbol->NumNodos, 4);  // refused while the nodes move
    // Closing ends it at once, every node in its place.
    QVERIFY(v.close());
    ComprobarTerminada(v);
    QVERIFY(TodosEnDestino(v));
  }

  void VentanaDePasoDestruidaDuranteUnaEtapa() {
    TVentPpal& v = Nuevo();
    v.btnPaso->trigger();
    TPulsador p(E->Paso(), [&](TPulsador&) { delete E->Paso(); });
    E->Teclear(QStringLiteral("60"));
    QCOMPARE(p.Vistos.size(), 1);
    QVERIFY(!v.DlgPaso());
    QVERIFY(E->Contiene(60));
    ComprobarTerminada(v);
    // Without a step window the stages are only drawn.
    E->Teclear(QStringLiteral("20"));
    QVERIFY(E->Contiene(20));
    QCOMPARE(v.Historia.NumOper(), 2);
  }

  void EsperaOciosaNoGastaProcesador() {
    E.emplace(Fichero());
    TVentPpal& v = E->V();
    v.btnPaso->trigger();
    QTimer::singleShot(300, E->Paso(), [this] { Control<QPushButton>(E->Paso(), "btnSeguir")->click(); });
    QElapsedTimer reloj;
    reloj.start();
    const std::clock_t cpu = std::clock();
    v.lisOperacion->setCurrentIndex(0);
    E->Teclear(QStringLiteral("5"));  // a search in an empty tree: one stage
    const double usado = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
    QVERIFY(reloj.elapsed() >= 290);
    QVERIFY2(usado < 120, qPrintable(QStringLiteral("%1 ms of CPU").arg(usado)));
  }

protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    Pintados_ += evento->type() == QEvent::Paint;
    return QObject::eventFilter(objeto, evento);
  }

private:
  int Pintados_ = 0;
};

QTEST_MAIN(PruebasEtapas)
#include "tst_etapas.moc"
