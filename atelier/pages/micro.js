// « Enregistrer ma voix »: the microphone recorded through Web Audio and
// encoded as a 16-bit PCM mono WAV file, which the game plays.

// The samples (floats from -1 to 1) of a mono recording as a WAV file.
export function wavDe(echantillons, frequence) {
  const octets = echantillons.length * 2;
  const tampon = new ArrayBuffer(44 + octets);
  const v = new DataView(tampon);
  const ecrit = (position, texte) => { for (let i = 0; i < texte.length; ++i) v.setUint8(position + i, texte.charCodeAt(i)); };
  ecrit(0, 'RIFF');
  v.setUint32(4, 36 + octets, true);
  ecrit(8, 'WAVE');
  ecrit(12, 'fmt ');
  v.setUint32(16, 16, true);       // the size of the format block
  v.setUint16(20, 1, true);        // PCM
  v.setUint16(22, 1, true);        // mono
  v.setUint32(24, frequence, true);
  v.setUint32(28, frequence * 2, true);  // bytes per second
  v.setUint16(32, 2, true);        // bytes per frame
  v.setUint16(34, 16, true);       // bits per sample
  ecrit(36, 'data');
  v.setUint32(40, octets, true);
  for (let i = 0; i < echantillons.length; ++i) {
    const s = Math.max(-1, Math.min(1, echantillons[i]));
    v.setInt16(44 + i * 2, s < 0 ? s * 0x8000 : s * 0x7fff, true);
  }
  return new Blob([tampon], { type: 'audio/wav' });
}

// One recording: start() asks for the microphone; stop() gives the WAV.
export class Enregistreur {
  async start() {
    this.flux = await navigator.mediaDevices.getUserMedia({ audio: { channelCount: 1, echoCancellation: true, noiseSuppression: true } });
    this.contexte = new AudioContext();
    this.morceaux = [];
    this.longueur = 0;
    const source = this.contexte.createMediaStreamSource(this.flux);
    await this.contexte.audioWorklet.addModule('/micro-worklet.js');
    this.capture = new AudioWorkletNode(this.contexte, 'pivolette-capture');
    this.capture.port.onmessage = (e) => {
      this.morceaux.push(e.data);
      this.longueur += e.data.length;
    };
    source.connect(this.capture);
    this.capture.connect(this.contexte.destination);  // silent: the processor writes no output
  }

  secondes() { return this.contexte ? this.longueur / this.contexte.sampleRate : 0; }

  async stop() {
    const frequence = this.contexte.sampleRate;
    this.capture.disconnect();
    this.capture.port.onmessage = null;
    for (const piste of this.flux.getTracks()) piste.stop();
    await this.contexte.close();
    const tout = new Float32Array(this.longueur);
    let position = 0;
    for (const bloc of this.morceaux) { tout.set(bloc, position); position += bloc.length; }
    this.morceaux = [];
    return wavDe(tout, frequence);
  }
}
