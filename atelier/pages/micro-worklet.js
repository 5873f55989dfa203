// The microphone's samples handed from the audio thread to the page, block
// by block (« Enregistrer ma voix »).
class Capture extends AudioWorkletProcessor {
  process(entrees) {
    const canal = entrees[0] && entrees[0][0];
    if (canal) this.port.postMessage(canal.slice(0));
    return true;
  }
}
registerProcessor('pivolette-capture', Capture);
