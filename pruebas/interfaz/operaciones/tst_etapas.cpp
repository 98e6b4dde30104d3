// Step presentation and node motion, driven through the window: the stage
// texts one by one, the two presses of a stage that changes the shape, the
// pause mode, the frames of a motion, the lock and F8, commands refused under
// a suspended operation, and the window closing in the middle of it all.
#include "entorno.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <ctime>

namespace {

const QString kBloqueo = QStringLiteral(" [Bloqueado] - F8 para recuperar.");

bool TodosEnDestino(TVentPpal& v) {
  return !RecorrerPreorden(v.Arbol->Raiz, [](TNodoBin* n, std::int32_t) { return n->X != n->XFin || n->Y != n->YFin; });
}

}  // namespace

class PruebasEtapas : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }

  void EtapasDescritasUnaAUna() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.btnPaso->trigger();
    QStringList estado;
    QPoint sitio;
    TPulsador p(e.Paso(), [&](TPulsador& pul) {
      estado << QStringLiteral("%1 %2").arg(int(v.Bloqueado)).arg(v.Paneles[5]->text());
      if (pul.Vistos.size() == 1) {
        // Placed in the bottom-right corner of the main window on showing;
        // moved away, it keeps its new place for the rest of the operation.
        const QRect r = v.frameGeometry();
        const QSize t = e.Paso()->frameGeometry().size();
        sitio = QPoint(r.left() + r.width() - t.width() - 5, r.top() + r.height() - t.height() - 5);
        QCOMPARE(e.Paso()->pos(), sitio);
        e.Paso()->move(10, 10);
      }
      QCOMPARE(e.Paso()->pos(), QPoint(10, 10));
      pul.Pulsar();
    });
    QSignalSpy intro(v.edtValor, &QLineEdit::returnPressed);
    e.Teclear(QStringLiteral("60"));
    QCOMPARE(p.Vistos,
             (QStringList{
                 "Búsqueda del valor 60|Comparando con elemento 50|&Seguir >>",
                 "Búsqueda del valor 60|Comparando con elemento 70|&Seguir >>",
                 "Busqueda finalizada|No se encontro un nodo con ese valor. Si se inserta ese valor, "
                 "será un hijo del nodo seleccionado.|&Seguir >>",
                 "Inserción como hoja|El nodo se inserta como hijo del nodo encontrado en la "
                 "búsqueda.|Efectuar!",
                 "Inserción como hoja|El nodo se inserta como hijo del nodo encontrado en la "
                 "búsqueda.|&Seguir >>",
             }));
    QCOMPARE(estado, QStringList(5, QStringLiteral("1 ") + kBloqueo));
    QCOMPARE(e.Paso()->etqTitulo->text(), QStringLiteral("Insercion en Arbol BST"));
    QCOMPARE(e.Paso()->btnSeguir->text(), QStringLiteral("&Seguir >>"));
    QVERIFY(!e.Paso()->isVisible());
    QVERIFY(!v.Bloqueado);
    QCOMPARE(v.Paneles[5]->text(), QString());
    QCOMPARE(intro.count(), 0);  // the Enter key went no further
    QCOMPARE(v.edtValor->text(), QString());
    QVERIFY(e.Contiene(60));
    QCOMPARE(v.NumOper, 1);
    QCOMPARE(v.ListaOper[0], 60);
    QVERIFY(!v.Arbol->NodoSel);
  }

  void SinEtapasNoHayVentanaNiBloqueo() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50});
    v.Accion(TVentPpal::cAnim1)->trigger();  // F2: everything up
    TPulsador p(e.Paso());
    e.Teclear(QStringLiteral("20"));
    QVERIFY(p.Vistos.isEmpty());
    QVERIFY(!v.Arbol->MostrarEtapas());
    QVERIFY(!v.Bloqueado && !v.Timer1->isActive());
    QVERIFY(e.Contiene(20));
    QVERIFY(Nodo(*v.Arbol, 20)->Y > Nodo(*v.Arbol, 50)->Y);  // laid out at once, not left on its parent
  }

  void PausasTerminanSolas() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.btnPaso2->trigger();
    v.PausaPres = 30;
    QStringList durante;
    QTimer muestra;
    QObject::connect(&muestra, &QTimer::timeout, [&] {
      durante << QStringLiteral("%1 %2").arg(int(v.Bloqueado)).arg(v.Paneles[5]->text());
      muestra.stop();
    });
    muestra.start(10);
    TPulsador p(e.Paso());
    QElapsedTimer reloj;
    reloj.start();
    e.Teclear(QStringLiteral("60"));
    // Three comparison or result stages of kind 0, 30 ms each; the leaf's
    // stage lays out without waiting.
    QVERIFY2(reloj.elapsed() >= 90, qPrintable(QString::number(reloj.elapsed())));
    QCOMPARE(durante, QStringList{QStringLiteral("1 ") + kBloqueo});
    QVERIFY(p.Vistos.isEmpty());
    QVERIFY(!e.Paso()->isVisible());
    QVERIFY(!v.Bloqueado);
    QCOMPARE(v.Paneles[5]->text(), QString());
    QVERIFY(e.Contiene(60));
  }

  void PausasAnimadasEsperanAlMovimiento() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.Accion(TVentPpal::cAnim2)->trigger();  // F3
    QVERIFY(v.btnAnimar->isChecked() && v.btnPaso2->isChecked() && !v.btnPaso->isChecked());
    QSignalSpy ticks(v.Timer1, &QTimer::timeout);
    e.Teclear(QStringLiteral("60"));
    // The leaf's stage started the one motion and waited for its end.
    QCOMPARE(ticks.count(), v.PausaNumEtap + 1);
    QVERIFY(!v.Timer1->isActive());
    QVERIFY(!v.Bloqueado);
    QCOMPARE(v.Paneles[4]->text(), QString());
    QVERIFY(TodosEnDestino(v));
  }

  void MovimientoCorreTodosSusFotogramas() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.btnAnimar->trigger();
    QSignalSpy ticks(v.Timer1, &QTimer::timeout);
    e.Teclear(QStringLiteral("60"));
    // The driver returned at once; the motion holds the workspace.
    QVERIFY(v.Timer1->isActive());
    QVERIFY(v.Bloqueado);
    QCOMPARE(v.Paneles[4]->text(), QStringLiteral("*"));
    QCOMPARE(v.Timer1->interval(), 5);
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.Arbol->NumNodos, 4);  // refused while the nodes move
    QTRY_VERIFY(!v.Timer1->isActive());
    QCOMPARE(ticks.count(), v.PausaNumEtap + 1);
    QCOMPARE(v.PasoAnim, v.PausaNumEtap);
    QVERIFY(!v.Bloqueado);
    QCOMPARE(v.Paneles[4]->text(), QString());
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
    QTest::newRow("cero pasos") << 20 << 0 << 20 << QList<int>{0, 1000};
    QTest::newRow("pasos negativos") << 20 << -4 << 20 << QList<int>{0, 1000};
  }
  void FotogramasConRaizCuadrada() {
    QFETCH(int, pausa);
    QFETCH(int, pasos);
    QFETCH(int, intervalo);
    QFETCH(QList<int>, xs);
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50});
    v.PausaAnim = pausa;
    v.PausaNumEtap = pasos;
    v.IniciarAnimacion();
    QCOMPARE(v.Timer1->interval(), intervalo);
    // The way from 0 to 1000, whatever the layout said.
    TNodoBin* n = v.Arbol->Raiz;
    n->XIni = 0;
    n->XFin = 1000;
    QList<int> vistos;
    QObject::connect(v.Timer1, &QTimer::timeout, [&] { vistos << n->X; });
    QTRY_VERIFY(!v.Timer1->isActive());
    QCOMPARE(vistos, xs);
    QVERIFY(!v.Bloqueado);
  }

  void MovimientoQueAcabaEnUnaEsperaLaDejaBloqueada() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.Accion(TVentPpal::cAnim3)->trigger();  // F4
    QVERIFY(v.btnAnimar->isChecked() && v.btnPaso->isChecked() && !v.btnPaso2->isChecked());
    QStringList alAcabar;
    TPulsador p(e.Paso(), [&](TPulsador& pul) {
      if (v.Timer1->isActive()) {
        // Ticks arrive inside the wait; the motion ends while it waits.
        QTRY_VERIFY(!v.Timer1->isActive());
        alAcabar << QStringLiteral("%1 %2 %3").arg(int(v.Bloqueado)).arg(v.Paneles[4]->text(), v.Paneles[5]->text());
      }
      pul.Pulsar();
    });
    e.Teclear(QStringLiteral("60"));
    QCOMPARE(p.Vistos.size(), 5);
    QCOMPARE(alAcabar, QStringList{QStringLiteral("1  ") + kBloqueo});
    QVERIFY(!v.Bloqueado);
    QVERIFY(TodosEnDestino(v));
  }

  void F8YComandosRechazadosDuranteUnaEtapa() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.btnPaso->trigger();
    int pintados = 0;
    TPulsador p(e.Paso(), [&](TPulsador& pul) {
      if (pul.Vistos.size() > 1)
        return pul.Pulsar();
      QVERIFY(v.Bloqueado);
      v.Accion(TVentPpal::cDesbloqueo)->trigger();
      QVERIFY(!v.Bloqueado);
      QCOMPARE(v.Paneles[5]->text(), kBloqueo);  // F8 does nothing else
      QVERIFY(!v.EstructuraLibre());
      const auto antes = v.Arbol->Guardar();
      v.Accion(TVentPpal::cInsertar)->trigger();
      v.Accion(TVentPpal::cBuscar)->trigger();
      v.Accion(TVentPpal::cBorrar)->trigger();
      v.edtValor->setText(QStringLiteral("40"));
      v.Accion(TVentPpal::cInsSig)->trigger();
      QCOMPARE(v.edtValor->text(), QStringLiteral("40"));
      QTest::keyClick(v.edtValor, Qt::Key_Return);
      v.Accion(TVentPpal::cOperacion)->trigger();
      QCOMPARE(v.edtValor->text(), QStringLiteral("40"));
      v.OpcRatDel->trigger();
      QTest::mouseClick(v.Lienzo, Qt::LeftButton, {}, QPoint(Nodo(*v.Arbol, 30)->X - v.DesplX, Nodo(*v.Arbol, 30)->Y - v.DesplY));
      v.RealizarBorrado(30);
      v.RealizarInsercion(99);
      QVERIFY(v.Arbol->Guardar() == antes);
      QCOMPARE(v.NumOper, 0);
      QCOMPARE(v.lisOperacion->currentIndex(), 1);
      QVERIFY(v.Paneles[5]->text().contains(QStringLiteral("operación en curso")));
      QCOMPARE(e.Mensajes(), QStringList{});
      // The wait still paints, ticks and takes input: the press comes from
      // a timer, and the canvas repaints meanwhile.
      v.Lienzo->installEventFilter(this);
      Pintados_ = &pintados;
      v.Lienzo->update();
      QTimer::singleShot(20, [&pul] { pul.Pulsar(); });
    });
    e.Teclear(QStringLiteral("60"));
    v.Lienzo->removeEventFilter(this);
    Pintados_ = nullptr;
    QVERIFY(pintados > 0);
    QCOMPARE(p.Vistos.size(), 5);
    QCOMPARE(v.Arbol->NumNodos, 4);
    QCOMPARE(v.NumOper, 1);
    QVERIFY(v.EstructuraLibre());
    // With the operation over the same commands work again.
    v.OpcRatSel->trigger();
    v.Accion(TVentPpal::cAnim1)->trigger();
    v.Accion(TVentPpal::cInsertar)->trigger();
    QCOMPARE(v.Arbol->NumNodos, 5);
  }

  void CambioDeModoDuranteUnaEtapa() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.btnPaso->trigger();
    TPulsador p(e.Paso(), [&](TPulsador& pul) {
      // The handler that is running keeps its place; the rest of the
      // operation goes on with pauses and no text.
      v.btnPaso2->trigger();
      pul.Pulsar();
    });
    e.Teclear(QStringLiteral("60"));
    QCOMPARE(p.Vistos.size(), 1);
    QVERIFY(!e.Paso()->isVisible());
    QVERIFY(e.Contiene(60));
    QVERIFY(v.Arbol->MostrarEtapas());
    v.btnPaso2->trigger();  // both up: the structure stops reporting
    QVERIFY(!v.Arbol->MostrarEtapas());
  }

  void CierreDuranteUnaEtapa() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.btnPaso->trigger();
    v.btnAnimar->trigger();
    TPulsador p(e.Paso(), [&](TPulsador&) { v.close(); });
    e.Teclear(QStringLiteral("60"));
    // The operation ran to its end without showing anything more.
    QCOMPARE(p.Vistos.size(), 1);
    QVERIFY(!v.isVisible());
    QVERIFY(!e.Paso()->isVisible());
    QVERIFY(e.Contiene(60));
    QCOMPARE(v.NumOper, 1);
    QVERIFY(!v.Bloqueado);
    QVERIFY(!v.Timer1->isActive());
    QCOMPARE(QSettings(Fichero(), QSettings::IniFormat).allKeys().size(), 17);
    QCOMPARE(e.Mensajes(), QStringList{});

    // Shown again, the window presents its stages as before.
    v.show();
    TPulsador otra(e.Paso());
    v.btnAnimar->trigger();
    e.Teclear(QStringLiteral("65"));
    QVERIFY(otra.Vistos.size() > 1);
    QVERIFY(e.Contiene(65));
  }

  void CierreDuranteUnaPausa() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.btnPaso2->trigger();
    v.PausaPres = 10000;
    QTimer::singleShot(30, &v, [&v] { v.close(); });
    QElapsedTimer reloj;
    reloj.start();
    e.Teclear(QStringLiteral("60"));
    QVERIFY(reloj.elapsed() < 5000);
    QVERIFY(e.Contiene(60));
    QVERIFY(!v.Bloqueado);
    QCOMPARE(v.Paneles[5]->text(), QString());
  }

  void CierreDuranteUnMovimiento() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.btnAnimar->trigger();
    v.PausaAnim = 10000;
    e.Teclear(QStringLiteral("60"));
    QVERIFY(v.Timer1->isActive());
    QVERIFY(v.close());
    QVERIFY(!v.Timer1->isActive());
    QVERIFY(!v.Bloqueado);
    QCOMPARE(v.Paneles[4]->text(), QString());
    QVERIFY(TodosEnDestino(v));
  }

  void VentanaDePasoDestruidaDuranteUnaEtapa() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.btnPaso->trigger();
    TPulsador p(e.Paso(), [&](TPulsador&) { delete e.Paso(); });
    e.Teclear(QStringLiteral("60"));
    QCOMPARE(p.Vistos.size(), 1);
    QVERIFY(!v.DlgPaso());
    QVERIFY(e.Contiene(60));
    QVERIFY(!v.Bloqueado);
    // Without a step window the stages are only drawn.
    e.Teclear(QStringLiteral("20"));
    QVERIFY(e.Contiene(20));
    QCOMPARE(v.NumOper, 2);
  }

  void EsperaOciosaNoGastaProcesador() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    v.btnPaso->trigger();
    QTimer::singleShot(300, e.Paso(), [&e] { e.Paso()->btnSeguir->click(); });
    QElapsedTimer reloj;
    reloj.start();
    const std::clock_t cpu = std::clock();
    v.lisOperacion->setCurrentIndex(0);
    e.Teclear(QStringLiteral("5"));  // a search in an empty tree: one stage
    const double usado = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
    QVERIFY(reloj.elapsed() >= 290);
    QVERIFY2(usado < 120, qPrintable(QStringLiteral("%1 ms of CPU").arg(usado)));
  }

protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (Pintados_ && evento->type() == QEvent::Paint)
      ++*Pintados_;
    return QObject::eventFilter(objeto, evento);
  }

private:
  int* Pintados_ = nullptr;
};

QTEST_MAIN(PruebasEtapas)
#include "tst_etapas.moc"
