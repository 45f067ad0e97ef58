#!/usr/bin/env python3
"""Cross-check of `orvanta-tool calc` against a second, independently written
model of the accumulation and withdrawal steps. Both must agree bit for bit.

Usage: crosscheck_calc.py TOOL DATA_DIR WORK_DIR
"""
import json, os, random, shutil, struct, subprocess, sys

TOOL, DATA, WORK = sys.argv[1], sys.argv[2], sys.argv[3]

def bits(x): return struct.pack('<d', float(x))

def aufbau(R, extra=0.0):
    """extra: paid in beside the plan in month 0 (the cost overview's
    Einrichtungsgebuehr paid at once)."""
    A=R['Anlageart']; L=R['Laufzeit']; ED=R['Einzahlungsdauer']; SB=R['Sparbetrag']; AB=R['Anlagebetrag']
    UM=R['Uebertragungsmonate']; Z=R['Zins_SystemEinmalanlage']; r=[p/100 for p in R['Performance']]
    sysb=0.0; ueb=0.0
    if A==3:
        sysb=AB; ueb = AB/UM if UM>=1 else AB
    kap=[AB if A==2 else 0.0]*6; jz=[0.0]*6
    if A==1:
        lsb=SB; bew=(min(36,ED)*12)*SB; anl=(ED*12)*SB; ss=0.0
    else:
        lsb = ueb if A==3 else 0.0; bew=anl=ss=AB
    out={'Anlagesumme':anl}
    AP=R['AP_Provisionssatz']/100*bew
    agio=R['Agio_Satz']/100*bew
    am = 36 if L>2 else (24 if L==2 else 12)
    out['AgioMonate']=am
    ref=(am-1)/12*agio*R['Agio_Ratenzuschlag']/100/2
    rate=(agio+ref)/am
    rows=[]
    if L<1:
        out['Kapital']=kap; return out, rows
    niw=[0.0]*6; mf1=[0.0]*6; bp1=0.0; frvs=0.0; bps=0.0
    k_agio=[0.0]*6; k_mf=[0.0]*6; k_depot=[0.0]*6  # the cost overview's sums
    bpp=R['BP_Performance']
    for m in range(0,12*L+1):
        if A==3 and m>0:
            sysb=sysb*(1+Z/100/12)
            if m==UM:
                lsb=ueb; sysb=0.0; ueb=0.0
            else:
                sysb=sysb-ueb; lsb=ueb
        niw=kap[:]
        if m>0:
            for i in range(6): jz[i]+=r[i]/12*kap[i]
        if m>0 and m%12==0:
            for i in range(6): niw[i]+=jz[i]; jz[i]=0.0
        if R['MitEinrichtungsgebuehr'] and R['AgioZahlungsart']==2 and 1<=m<=am and R['Anlagestrategie']!=4:
            for i in range(6): niw[i]-=rate; k_agio[i]+=rate
        if R['MitManagementFee'] and m>0 and m%12==0:
            for i in range(6):
                mf2=R['ManagementFee']/200*niw[i]; niw[i]-=mf1[i]+mf2; k_mf[i]+=mf1[i]+mf2
        if R['MitManagementFee'] and m>0 and m%6==0 and m%12!=0:
            for i in range(6): mf1[i]=R['ManagementFee']/200*niw[i]
        if R['MitDepotgebuehr'] and m>0 and m%12==0:
            for i in range(6): niw[i]-=R['Depotgebuehr']; k_depot[i]+=R['Depotgebuehr']
        if m>0 and m%12==0:
            bp2=R['BP_Provisionssatz']/200*niw[bpp]; bps+=bp1+bp2
        if m>0 and m%6==0 and m%12!=0:
            bp1=R['BP_Provisionssatz']/200*niw[bpp]
        if A==1 and m>0 and m%12==0:
            frvs+=lsb*12*R['AP_Provisionssatz_FRV']/100
        if A==1 and m/12>ED: lsb=0.0
        if m%12==0:
            rows.append({'Betrag':lsb,'Alter':R['Eintrittsalter']+m//12-1,'Jahr':m//12,'Summe':[ss]*6,'NIW':niw[:]})
        if A==1 and m>0 and m%12==0: lsb=lsb*(1+R['Dynamik']/100)
        if m==0:
            for i in range(6): niw[i]+=extra
        if m<12*ED:
            if A==1:
                for i in range(6): niw[i]+=lsb
                ss+=lsb
            elif A==3:
                for i in range(6):
                    if m==UM-1: niw[i]+=(1+Z/100/12)*sysb
                    else: niw[i]+=ueb
        kap=niw
    out['Kapital']=kap; out['BP_Summe']=bps; out['FRV_Summe']=frvs; out['AgioBetrag']=agio
    out['_kosten']={'Einzahlungen':ss,'Agioraten':k_agio,'Managementgebuehr':k_mf,'Depotgebuehr':k_depot}
    return out, rows

def kosten(R, ao):
    """The cost overview of scenarios 1..4: sums bit for bit, the value
    without costs from this model, and Renditeminderung as a return at
    which this model, without costs and with an Einrichtungsgebuehr paid at
    once added in month 0, brackets DepotwertMitKosten within 1e-6."""
    if R['Laufzeit']<1: return None
    ohne=dict(R, MitEinrichtungsgebuehr=False, MitManagementFee=False, MitDepotgebuehr=False)
    sofort=R['MitEinrichtungsgebuehr'] and R['AgioZahlungsart']==1
    E=ao['AgioBetrag'] if sofort else 0.0
    def ohne_kosten(i, r, extra):
        perf=list(R['Performance']); perf[i]=r
        return aufbau(dict(ohne, Performance=perf), extra)[0]['Kapital'][i]
    k=ao['_kosten']; res=[]
    for i in range(1,5):
        e=E if sofort else k['Agioraten'][i]
        res.append({'Einzahlungen':k['Einzahlungen'],'Einrichtungsgebuehr':e,
                    'Managementgebuehr':k['Managementgebuehr'][i],'Depotgebuehr':k['Depotgebuehr'][i],
                    'KostenGesamt':e+k['Managementgebuehr'][i]+k['Depotgebuehr'][i],
                    'DepotwertOhneKosten':ohne_kosten(i, R['Performance'][i], 0.0),
                    'DepotwertMitKosten':ao['Kapital'][i],
                    '_bracket':lambda r,i=i: (ohne_kosten(i, r-1e-6, E), ohne_kosten(i, r+1e-6, E))})
    return res

def compare_kosten(R, ao, got):
    want=kosten(R, ao)
    if want is None or got is None:
        if want is not got: print("DIFF kosten", want, got); return 1
        return 0
    bad=0
    for i,(w,g) in enumerate(zip(want,got)):
        for f,v in w.items():
            if not f.startswith('_'): bad+=compare(f"kosten[{i}].{f}", v, g[f])
        T=w['DepotwertMitKosten']
        if g['Renditeminderung'] is None:
            lo,hi=w['_bracket'](-99+1e-6)[0], w['_bracket'](100-1e-6)[1]
            if lo<=T<=hi: print("kosten: Renditeminderung fehlt", i, T, lo, hi); bad+=1
        else:
            lo,hi=w['_bracket'](R['Performance'][i+1]-g['Renditeminderung'])
            if not lo<=T<=hi: print("kosten: Renditeminderung", i, g['Renditeminderung'], lo, T, hi); bad+=1
    return bad

def jz(K,r,w):
    s=0.0
    for k in range(12): s=s+r/12*(K-k*w)
    return s
def ek(N,K,r,w):
    for _ in range(N): K=jz(K,r,w)+K-12*w
    return K

def entnahme(R, arows):
    RK=R['Rentenkapital']; MR=R['Monatsrente']; N=R['AuszDauer']; AB=R['AuszBeginn']; r=[p/100 for p in R['Performance']]
    out={}
    kapE=[RK]*6
    kapEnde=[arows[-1]['NIW'][i] if R['Laufzeit']>=1 else 0.0 for i in range(6)]
    out['Kapital_Einzahlungsende']=kapEnde
    ssum=[0.0]*6; j=[0.0]*6; rows=[]
    n=(95-AB)*12 if N==999 else N*12
    if n>=0:
        for m in range(n+1):
            niw=kapE[:]
            if m>0:
                for i in range(6): j[i]+=r[i]/12*kapE[i]
            if m>0 and m%12==0:
                for i in range(6): niw[i]+=j[i]; j[i]=0.0
            if m>0:
                for i in range(6):
                    if niw[i]>0: ssum[i]+= MR if niw[i]>=MR else niw[i]
                    niw[i]=max(niw[i]-MR,0.0)
            if m%12==0: rows.append({'Betrag':MR,'Alter':AB+m//12-1,'Jahr':m/12,'Summe':ssum[:],'NIW':niw[:]})
            kapE=niw
    out['Kapital_Entnahme']=kapE
    ew=[0]*6; mo=[0]*6; ae=[0]*6; ke=[0]*6
    def perpetual(K0,ri):
        J0=jz(K0,ri,0); w=J0/12; J1=jz(K0,ri,w)
        while abs(J0-J1)>0.0001:
            w=w-(J0-J1)/12; J0=J1; J1=jz(K0,ri,w)
        return J1/12
    for i in range(6):
        ri=r[i]
        ew[i]=perpetual(RK,ri); mo[i]=ew[i]
        def poss(K0):
            w=ew[i]; E=ek(N,K0,ri,w)
            while abs(E)>1:
                w=w+E/(12*N)/75; E=ek(N,K0,ri,w)
            return w
        if N!=999: mo[i]=poss(RK)
        # without consumption: the perpetual withdrawal of the accumulated capital
        ae[i]=poss(kapEnde[i]) if N!=999 else perpetual(kapEnde[i],ri)
        K=0.0
        if N!=999:
            K=RK; E=ek(N,K,ri,MR)
            while abs(E)>1:
                K=K-E/N/10; E=ek(N,K,ri,MR)
        elif R['Performance'][i]>0.1:
            K=RK; E=ek(1,K,ri,MR)
            while E<0 or abs(K-E)>1:
                K=K-(E-K)/20; E=ek(1,K,ri,MR)
        ke[i]=K
    out['Entnahme_ewig']=ew; out['Entnahme_moeglich']=mo; out['Entnahme_aus_Einzahlung']=ae; out['Kapital_erforderlich']=ke
    if 12*MR>RK: p=0.0
    else:
        p=0.0
        if N!=999:
            while ek(N,RK,p/100,MR)<0: p=p+0.005
        else:
            while ek(1,RK,p/100,MR)<RK: p=p+0.005
    out['Erforderliche_Wertentwicklung']=p
    return out, rows

def compare(name, a, b):
    bad=0
    if isinstance(a,list):
        for k,(x,y) in enumerate(zip(a,b)):
            bad+=compare(f"{name}[{k}]",x,y)
        if len(a)!=len(b): print("LEN",name,len(a),len(b)); bad+=1
        return bad
    if bits(a)!=bits(b):
        print("DIFF",name,repr(a),repr(b)); return 1
    return 0

def check(datfile):
    out=subprocess.run([TOOL,'calc',datfile],capture_output=True,text=True)
    if out.returncode!=0: print("calc failed", out.stderr); return 1
    d=json.loads(out.stdout); R=d['record']
    ao, arows = aufbau(R)
    bad=0
    for k,v in ao.items():
        if not k.startswith('_'): bad+=compare(k, v, R[k])
    bad+=compare_kosten(R, ao, d['kosten'])
    for k,(x,y) in enumerate(zip(arows,d['aufbautabelle'])):
        for f in ('Betrag','Alter','Jahr','Summe','NIW'): bad+=compare(f"A{k}.{f}",x[f],y[f])
    bad+=compare("alen",len(arows),len(d['aufbautabelle']))
    eo, erows = entnahme(R, d['aufbautabelle'])
    for k,v in eo.items(): bad+=compare(k, v, R[k])
    for k,(x,y) in enumerate(zip(erows,d['entnahmetabelle'])):
        for f in ('Betrag','Alter','Jahr','Summe','NIW'): bad+=compare(f"E{k}.{f}",x[f],y[f])
    bad+=compare("elen",len(erows),len(d['entnahmetabelle']))
    print(datfile, "mismatches:", bad)
    return bad


SRC_JSON = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'data', 'Orvan.json')

def make_variants():
    base=json.load(open(os.path.join(SRC_JSON)))
    random.seed(7)
    variants=[]
    def v(**kw):
        d=dict(base); d.update(kw); variants.append(d)
    v(Anlageart=2, Laufzeit=10, Anlagebetrag=25000)
    v(Anlageart=2, Laufzeit=0, Anlagebetrag=50000, Kapital_aus_Einzahlung=False, Rentenkapital=50000)
    v(Anlageart=3, Laufzeit=12, Anlagebetrag=30000, Uebertragungsmonate=24, Einzahlungsdauer=12)
    v(Anlageart=3, Laufzeit=2, Anlagebetrag=30000, Uebertragungsmonate=36, Einzahlungsdauer=2)
    v(AgioZahlungsart=2, Laufzeit=1, Einzahlungsdauer=1)
    v(AgioZahlungsart=2, Laufzeit=2, Einzahlungsdauer=2)
    v(AgioZahlungsart=2, Laufzeit=20, Einzahlungsdauer=15, Anlagestrategie=4)
    v(AuszEndeArt=5, Kapital_aus_Einzahlung=False, Rentenkapital=150000)
    # perpetual, with an accumulation whose capital differs from Rentenkapital
    v(AuszEndeArt=5, Kapital_aus_Einzahlung=False, Rentenkapital=150000, Laufzeit=25, Einzahlungsdauer=25)
    v(AuszEndeArt=2, Geschlecht=2)
    v(AuszEndeArt=1, AuszEnde=100, AuszBeginn=60, Monatsrente=800)
    v(Performance=[-2,0,4,7,8,5], Dynamik=0, Sparbetrag=250, Laufzeit=40, Einzahlungsdauer=40, Eintrittsalter=20)
    v(Monatsrente=0, Kapital_aus_Einzahlung=False, Rentenkapital=0)
    # cost overview: all three costs with the fee paid at once beside a plan,
    # and a depot fee that eats a small lump sum
    v(MitEinrichtungsgebuehr=True, AgioZahlungsart=1, MitManagementFee=True, ManagementFee=1.5,
      MitDepotgebuehr=True, Depotgebuehr=40)
    v(Anlageart=2, Laufzeit=8, Anlagebetrag=200, MitDepotgebuehr=True, Depotgebuehr=60, Kapital_aus_Einzahlung=False)
    for k in range(8):
        v(Anlageart=random.choice([1,2,3]), Laufzeit=random.randint(1,45), Sparbetrag=random.choice([50,100,150.5,333.33]),
          Anlagebetrag=random.choice([2500,10000,77777.77]), Einzahlungsdauer=random.randint(1,45),
          Performance=[random.choice([0,1,2]),0,random.randint(1,4),random.randint(4,7),random.randint(7,9),random.randint(0,9)],
          AgioZahlungsart=random.choice([1,2]), Uebertragungsmonate=random.choice([12,24,36]),
          Monatsrente=random.choice([100,500,1500]), AuszEndeArt=random.choice([1,2,4,5]), AuszEnde=90,
          BP_Performance=random.randint(1,4), Kapital_Szenario=random.randint(2,4), Eintrittsalter=random.randint(18,60))
    for n,d in enumerate(variants):
        d['Einzahlungsdauer']=min(d['Einzahlungsdauer'], d['Laufzeit']) if d['Anlageart']==1 else d['Einzahlungsdauer']
        d['AuszBeginn']=max(d['AuszBeginn'], d['Eintrittsalter']+d['Laufzeit'])
        json.dump(d, open(os.path.join(WORK,f'v{n}.json'),'w'))
        subprocess.run([TOOL,'make',os.path.join(WORK,f'v{n}.json'),os.path.join(WORK,f'v{n}.Dat')],check=True)

def main():
    os.makedirs(WORK, exist_ok=True)
    shutil.copy(os.path.join(DATA, 'Sterbetafel_2004.csv'), WORK)
    make_variants()
    files = [os.path.join(DATA, 'Orvan.Dat')] + sorted(
        os.path.join(WORK, f) for f in os.listdir(WORK) if f.endswith('.Dat'))
    bad = sum(check(f) for f in files)
    print(f"{len(files)} plans checked, {bad} mismatching values")
    sys.exit(1 if bad else 0)

if __name__ == '__main__':
    main()
