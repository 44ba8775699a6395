#pragma once
class QObject;

// The test classes of this executable, run one after another by its main.
QObject* NewCalculatorTest();
QObject* NewSplashTest();
