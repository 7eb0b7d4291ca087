<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Norva</name>
    <message>
        <source>Open an MPS / ORB / CAS file first</source>
        <translation>Zuerst eine MPS-, ORB- oder CAS-Datei öffnen</translation>
    </message>
</context>
</TS>
